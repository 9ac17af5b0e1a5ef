// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/guarded_integer.h"

#include "engine/run_time_error.h"

#include <limits>

namespace tavrello {

namespace {

std::int16_t fitted(std::int32_t wide) {
    if (wide < std::numeric_limits<std::int16_t>::min() ||
        wide > std::numeric_limits<std::int16_t>::max()) {
        throw RunTimeError(ErrorNumber::Overflow);
    }
    return static_cast<std::int16_t>(wide);
}

} // namespace

std::int16_t guardedAdd(std::int16_t left, std::int16_t right) {
    return fitted(std::int32_t{left} + right);
}

std::int16_t guardedSubtract(std::int16_t left, std::int16_t right) {
    return fitted(std::int32_t{left} - right);
}

std::int16_t guardedMultiply(std::int16_t left, std::int16_t right) {
    return fitted(std::int32_t{left} * right);
}

} // namespace tavrello
