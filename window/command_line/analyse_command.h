// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <cstdio>

namespace tavrello {

// Whether the program was started for the command line (--analyse, --help, --version) rather
// than for its window; read from the raw arguments, before any application object exists.
bool startedForCommandLine(int argc, char* argv[]);

// tavrello --analyse [FILE]: analyses the series in FILE, or on standard input, and prints the
// report. Returns the exit status: 0, or 2 with a message on `errors` and nothing on `out` when
// the arguments or the series cannot be used. Needs a QCoreApplication, a QGuiApplication for
// --pdf and --png.
int runAnalyseCommand(const QStringList& arguments, std::FILE* out, std::FILE* errors);

// The program on the command line: the application object the command needs (none with a
// display), the console on Windows, then the command. Returns the exit status.
int commandLineMain(int argc, char* argv[]);

} // namespace tavrello
