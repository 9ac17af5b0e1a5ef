// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavrello::fitting {

namespace {

struct TransformRow {
    Transform transform;
    std::string_view key;
    bool (*defined)(double);
    double (*apply)(double);
    double (*derivative)(double);
    std::string_view domain;
    // The name and the unit around the quantity's: prefix, suffix; a unit is dropped where both
    // are empty and the quantity is changed.
    std::string_view namePrefix, nameSuffix;
    std::string_view unitSuffix;
    bool dimensionless;
};

constexpr TransformRow rows[] = {
    {Transform::None, "none", [](double) { return true; }, [](double v) { return v; },
     [](double) { return 1.0; }, "", "", "", "", false},
    {Transform::Ln, "ln", [](double v) { return v > 0; }, [](double v) { return std::log(v); },
     [](double v) { return 1 / v; }, "对数只对正数有定义", "ln ", "", "", true},
    {Transform::Lg, "lg", [](double v) { return v > 0; }, [](double v) { return std::log10(v); },
     [](double v) { return 1 / (v * std::numbers::ln10); }, "对数只对正数有定义", "lg ", "", "",
     true},
    {Transform::Reciprocal, "reciprocal", [](double v) { return v != 0; },
     [](double v) { return 1 / v; }, [](double v) { return 1 / (v * v); }, "0 没有倒数", "1/", "",
     "⁻¹", false},
    {Transform::Square, "square", [](double) { return true; }, [](double v) { return v * v; },
     [](double v) { return 2 * v; }, "", "", "²", "²", false},
    {Transform::SquareRoot, "sqrt", [](double v) { return v >= 0; },
     [](double v) { return std::sqrt(v); }, [](double v) { return 1 / (2 * std::sqrt(v)); },
     "负数不能开方", "√", "", "^(1/2)", false},
};

// The rows stand in the order of the enumeration, so that a fit of many points finds its row
// without a search.
constexpr bool inEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        if (static_cast<std::size_t>(rows[i].transform) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inEnumerationOrder());

const TransformRow& row(Transform transform) {
    return rows[static_cast<std::size_t>(transform)];
}

std::size_t codePoints(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A name or unit of more than one character is bracketed before a sign is put to it, so that
// "1/U_R" is not read as "1/U" and "m/s²" not as "m/(s²)".
std::string operand(const std::string& text, bool simple) {
    return simple ? text : "(" + text + ")";
}

bool isSimpleUnit(const std::string& unit) {
    return codePoints(unit) == 1 || std::all_of(unit.begin(), unit.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

} // namespace

std::string_view transformKey(Transform transform) {
    return row(transform).key;
}

std::optional<Transform> transformFromKey(std::string_view key) {
    for (const TransformRow& r : rows) {
        if (r.key == key) {
            return r.transform;
        }
    }
    return std::nullopt;
}

std::optional<double> transformed(Transform transform, double value) {
    const TransformRow& r = row(transform);
    if (!r.defined(value)) {
        return std::nullopt;
    }
    return r.apply(value);
}

double sensitivity(Transform transform, double value) {
    return std::abs(row(transform).derivative(value));
}

std::string_view domainText(Transform transform) {
    return row(transform).domain;
}

std::string transformedName(Transform transform, const std::string& name) {
    const TransformRow& r = row(transform);
    if (transform == Transform::None) {
        return name;
    }
    // "ln U_R" reads well without brackets; a prefix sign or a power does not.
    const bool simple = r.dimensionless || codePoints(name) == 1;
    return std::string(r.namePrefix) + operand(name, simple) + std::string(r.nameSuffix);
}

std::string transformedUnit(Transform transform, const std::string& unit) {
    const TransformRow& r = row(transform);
    if (r.dimensionless) {
        return {};
    }
    if (unit.empty() || transform == Transform::None) {
        return unit;
    }
    return operand(unit, isSimpleUnit(unit)) + std::string(r.unitSuffix);
}

std::string quotientUnit(const std::string& yUnit, const std::string& xUnit) {
    if (xUnit.empty()) {
        return yUnit;
    }
    if (yUnit.empty()) {
        return transformedUnit(Transform::Reciprocal, xUnit);
    }
    const bool compound =
        xUnit.find_first_of("/ ") != std::string::npos || xUnit.find("·") != std::string::npos;
    return yUnit + "/" + operand(xUnit, !compound);
}

} // namespace tavrello::fitting
