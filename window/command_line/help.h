// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/command_line/command.h"

#include <QString>
#include <span>

namespace tavrello {

// A command's usage: its synopsis, what it reads, its options from its table, --help and
// --version, and the exit statuses.
QString commandHelp(const Command& command);

// The program's usage: the window, each command in a line, and how to see a command's options.
QString programHelp(std::span<const Command* const> commands);

// "Tavrello 1.0.0"
QString versionText();

} // namespace tavrello
