// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/command_line/command.h"

namespace tavrello {

// tavrello --fit [FILE]: the points in the data file, or on standard input, fitted as the
// line-fit window fits them, with the settings as options; the report as text or JSON, and on
// request as a PDF and the plot as a PNG. Needs a QGuiApplication for --pdf and --png.
const Command& fitCommand();

} // namespace tavrello
