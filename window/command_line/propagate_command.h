// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/command_line/command.h"

namespace tavrello {

// tavrello --propagate [FILE]: the task file, or standard input, worked through as the indirect
// measurement window works it, the GUM and the Monte Carlo method, with options over the file's
// settings; the report as text or JSON, and on request as a PDF and the histogram as a PNG.
// Needs a QGuiApplication for --pdf and --png.
const Command& propagateCommand();

} // namespace tavrello
