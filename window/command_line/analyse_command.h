// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/command_line/command.h"

namespace tavrello {

// tavrello --analyse [FILE]: the series in the file, or on standard input, analysed as the
// analysis window does it, with the settings as options; the report as text or JSON, and on
// request as a PDF and the plot as a PNG. Needs a QGuiApplication for --pdf and --png.
const Command& analyseCommand();

} // namespace tavrello
