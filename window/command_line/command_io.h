// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace tavrello {

// The bytes of a file, or of standard input for "-", without a UTF-8 byte order mark. Throws
// CommandLineError (ExitStatus::Refused) with a message in Chinese for a file that does not
// exist, a folder, a file that cannot be opened or read, and input beyond 64 MB, far more than
// any series the commands take, so that a device that never ends is not read for ever.
QByteArray readInput(const QString& file);

// The report on standard output, flushed. Throws CommandLineError (ExitStatus::NotWritten)
// when it could not all be written.
void writeOutput(const QByteArray& bytes);

// "tavrello: " and the message on standard error.
void writeError(const QString& message);

} // namespace tavrello
