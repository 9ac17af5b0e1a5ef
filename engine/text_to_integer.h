// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

namespace tavrello {

// A whole decimal number, Chinese (PRC) conventions, fraction rounded half to even.
// Throws RunTimeError: type mismatch for a text that is not a number, overflow beyond 16 bits.
std::int16_t textToInteger(std::string_view text);

} // namespace tavrello
