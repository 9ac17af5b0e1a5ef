// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <thread>

namespace tavrello {

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
