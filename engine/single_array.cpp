// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/single_array.h"

#include "engine/run_time_error.h"

namespace tavrello {

float& SingleArray::at(std::int16_t index) {
    // Compared unsigned, so a negative index fails the same test as one beyond the end.
    if (static_cast<std::uint16_t>(index) >= size) {
        throw RunTimeError(ErrorNumber::SubscriptOutOfRange);
    }
    return elements_[static_cast<std::uint16_t>(index)];
}

} // namespace tavrello
