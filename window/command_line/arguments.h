// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/command_line/command.h"

#include <QString>
#include <QStringList>
#include <span>

namespace tavrello {

// What the arguments of one run ask for.
struct Invocation {
    // None when only --help or --version is asked.
    const Command* command = nullptr;
    // "--help" and "--version" in the order first given. When there are any, they are answered
    // and the rest of the arguments is not looked at.
    QStringList questions;
    GivenOptions options;
    // "-" for standard input.
    QString file = "-";
};

// The arguments, program name first, read against the commands' tables. Throws
// CommandLineError (ExitStatus::Refused) for a repeated or unknown option, a missing value, a
// value that looks like an option, a value not among the choices, a second file or command.
Invocation invocationOf(const QStringList& arguments, std::span<const Command* const> commands);

} // namespace tavrello
