// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace tavrello {

// 16-bit signed steps of the compute command; each raises overflow when its two's-complement
// result does not fit 16 bits.
std::int16_t guardedAdd(std::int16_t left, std::int16_t right);
std::int16_t guardedSubtract(std::int16_t left, std::int16_t right);
std::int16_t guardedMultiply(std::int16_t left, std::int16_t right);

} // namespace tavrello
