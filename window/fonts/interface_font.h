// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLatin1String>
#include <QString>
#include <thread>

namespace tavrello {

// The face the window is drawn in: the characters the program shows, cut from AR PL SungtiL GB
// at build time and renamed, so that a start reads a small file instead of a 5 MB one.
inline constexpr QLatin1String interfaceFamily{"Tavrello Sung"};

// Where the program finds the face, relative to its own folder; empty when the build made none.
QString installedInterfaceFontFile();

// Makes the face available to the application. Without it the system's Song faces stand in.
// Returns whether the face was read.
bool addInterfaceFont(const QString& fontFile);

// Reading the system's font configuration and font caches takes several milliseconds at every
// start, and Qt does it only when the first control needs a font. Started before the
// application connects to the display, the reading runs on another core meanwhile.
class FontConfigurationPreload {
  public:
    FontConfigurationPreload();

    // Returns once the configuration is read; call it before the first font is looked up.
    void waitUntilRead();

  private:
    std::jthread reader_;
};

} // namespace tavrello
