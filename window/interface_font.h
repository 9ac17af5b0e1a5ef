// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLatin1String>
#include <QString>

namespace tavrello {

// The face the window is drawn in: the characters the program shows, cut from AR PL SungtiL GB
// at build time and renamed, so that a start reads a small file instead of a 5 MB one.
inline constexpr QLatin1String interfaceFamily{"Tavrello Sung"};

// Where the program finds the face, relative to its own folder; empty when the build made none.
QString installedInterfaceFontFile();

// Makes the face available and the window font the application font, so that every text,
// tooltips and message boxes included, is set in it and no second face is read at start.
// Without the face the system's Song faces stand in. Returns whether the face was read.
bool useInterfaceFont(const QString& fontFile);

} // namespace tavrello
