// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/run_time_error.h"

#include <string>

namespace tavrello {

RunTimeError::RunTimeError(ErrorNumber number)
    : std::runtime_error("run-time error " + std::to_string(static_cast<int>(number))),
      number_(number) {}

std::string_view RunTimeError::description() const {
    switch (number_) {
    case ErrorNumber::Overflow:
        return "溢出";
    case ErrorNumber::SubscriptOutOfRange:
        return "下标越界";
    case ErrorNumber::DivisionByZero:
        return "除数为零";
    case ErrorNumber::TypeMismatch:
        return "类型不匹配";
    }
    return {};
}

} // namespace tavrello
