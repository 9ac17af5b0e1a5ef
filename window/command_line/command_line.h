// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tavrello {

// Whether the program was started for the command line (a command such as --analyse, or
// --help or --version) rather than for its window; read from the raw arguments, before any
// application object exists.
bool startedForCommandLine(int argc, char* argv[]);

// The program on the command line: the console on Windows, the application object the command
// needs (a GUI one, without a display, only to draw), then the command, or the help or version
// asked for. Returns the exit status (ExitStatus).
int commandLineMain(int argc, char* argv[]);

} // namespace tavrello
