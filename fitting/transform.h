// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavrello::fitting {

// What a quantity is turned into before the fit, to make a curve a straight line.
enum class Transform { None, Ln, Lg, Reciprocal, Square, SquareRoot };
inline constexpr std::array<Transform, 6> allTransforms = {
    Transform::None,       Transform::Ln,     Transform::Lg,
    Transform::Reciprocal, Transform::Square, Transform::SquareRoot};

// "none", "ln", "lg", "reciprocal", "square", "sqrt": as the command line and the settings take it.
std::string_view transformKey(Transform transform);
std::optional<Transform> transformFromKey(std::string_view key);

// f(v), or nothing where f is undefined (ln 0, 1/0, √-1).
std::optional<double> transformed(Transform transform, double value);
// |f′(v)|, which carries a standard uncertainty of v to first order.
double sensitivity(Transform transform, double value);
// Why f is undefined at a value: "对数只对正数有定义".
std::string_view domainText(Transform transform);

// "ln I", "1/T", "(U_R)²": the name of the fitted quantity.
std::string transformedName(Transform transform, const std::string& name);
// The unit of the fitted quantity: none after a logarithm, "s⁻¹", "(m/s)²".
std::string transformedUnit(Transform transform, const std::string& unit);
// The unit of a slope dy/dx: "N/m", "s⁻¹" where y has none, y's where x has none.
std::string quotientUnit(const std::string& yUnit, const std::string& xUnit);

} // namespace tavrello::fitting
