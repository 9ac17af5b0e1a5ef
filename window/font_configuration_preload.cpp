// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "font_configuration_preload.h"

#ifdef TAVRELLO_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tavrello {

FontConfigurationPreload::FontConfigurationPreload() {
#ifdef TAVRELLO_FONTCONFIG
    // A failure is not ours to report: Qt reads the configuration again and says what is wrong.
    reader_ = std::jthread([] { FcInit(); });
#endif
}

void FontConfigurationPreload::waitUntilRead() {
    if (reader_.joinable()) {
        reader_.join();
    }
}

} // namespace tavrello
