// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string_view>

namespace tavrello {

// The run-time errors a command can stop with; the number is what the user is shown.
enum class ErrorNumber : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

// The one exception type of the engine: a guarded step or a conversion that fails
// throws it, and the command it stops hands it to the window as a value.
class RunTimeError : public std::runtime_error {
  public:
    explicit RunTimeError(ErrorNumber number);

    ErrorNumber number() const { return number_; }
    // Chinese description for the error report, e.g. "溢出" for overflow.
    std::string_view description() const;

  private:
    ErrorNumber number_;
};

} // namespace tavrello
