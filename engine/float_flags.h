// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tavrello {

// The sticky floating-point exception flags of one command, kept in code rather than in the
// hardware environment so that every compiler and optimisation level raises the same errors.
// Each step computes in double precision and records what IEEE 754 would have raised.
class FloatFlags {
  public:
    double add(double left, double right);
    double subtract(double left, double right);
    double multiply(double left, double right);
    double divide(double dividend, double divisor);
    double squareRoot(double value);
    // Round to nearest single, ties to even; a finite value that becomes infinite overflows.
    float narrow(double value);

    void clear();
    // Raises division by zero when that flag is set, else overflow for invalid or overflow.
    void checkpoint() const;

  private:
    void recordArithmetic(double left, double right, double result);

    bool invalid_ = false;
    bool divisionByZero_ = false;
    bool overflow_ = false;
};

// Narrowing into a value the user can be shown: refuses with overflow instead of storing an
// infinity.
float narrowFinite(double value);

} // namespace tavrello
