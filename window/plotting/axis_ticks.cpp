// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/plotting/axis_ticks.h"

#include "analysis/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace tavrello {

namespace {

// Labels with more digits than this, from the largest tick's first digit to the step's, are
// written against a shared offset.
constexpr int mostPlainDigits = 7;
// Labels from a millionfold up share a power of ten, as significantText writes such values.
constexpr int firstPowerPlace = 6;
// Ticks closer than this many units in the last place could not be told apart once rounded.
constexpr double fewestUlpsPerStep = 4;
// Beyond these, ticks would be no picture any more.
constexpr int mostTicksAtAll = 1000;
constexpr double finestAtAll = 1e-290;
// Where the data sit nearer to 0 than this, their one line is drawn from -1 to 1.
constexpr double smallestMiddle = 1e-280;

// factor × 10^exponent, the factor 1, 2 or 5.
struct Step {
    int factor;
    int exponent;
};

// n × 10^exponent, rounded once to the nearest double, as the label reads.
double decimalValue(long long n, int exponent) {
    const std::string text = std::to_string(n) + "e" + std::to_string(exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

double sizeOf(Step step) {
    return decimalValue(step.factor, step.exponent);
}

Step coarser(Step step) {
    return step.factor == 5 ? Step{1, step.exponent + 1} : Step{step.factor * 5 / 2, step.exponent};
}

Step finer(Step step) {
    return step.factor == 1 ? Step{5, step.exponent - 1}
                            : Step{step.factor == 5 ? 2 : 1, step.exponent};
}

// The smallest step of at least `size`, which is finite and > 0. From a power of ten below it,
// each round at least doubling.
Step stepOfAtLeast(double size) {
    Step step{1, static_cast<int>(std::floor(std::log10(size))) - 1};
    while (sizeOf(step) < size) {
        step = coarser(step);
    }
    return step;
}

// The ticks (first + i) · step for i from 0 to count - 1.
struct TickRun {
    Step step;
    long long first = 0;
    long long count = 0;

    long long units(long long i) const { return (first + i) * step.factor; }
    double value(long long i) const { return decimalValue(units(i), step.exponent); }
};

// The division only estimates the ends; the rounded ticks decide, a step or two away.
TickRun runWithin(double low, double high, Step step) {
    const double size = sizeOf(step);
    TickRun run{step, static_cast<long long>(std::ceil(low / size)), 0};
    long long last = static_cast<long long>(std::floor(high / size));
    for (int nudge = 0; nudge < 3; ++nudge) {
        run.first += run.value(0) < low ? 1 : run.value(-1) >= low ? -1 : 0;
        last += run.value(last - run.first) > high        ? -1
                : run.value(last - run.first + 1) <= high ? 1
                                                          : 0;
    }
    run.count = last - run.first + 1;
    return run;
}

// The finest step that leaves 2 to `most` ticks, else the coarsest that leaves two; nothing
// where the span is too small for two ticks that doubles keep apart.
std::optional<TickRun> chosenRun(double low, double high, const AxisOptions& options) {
    const double magnitude = std::max(std::abs(low), std::abs(high));
    const double ulp =
        std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
    const double finest =
        std::max({fewestUlpsPerStep * ulp, options.whole ? 1.0 : 0.0, finestAtAll});
    const int most = std::clamp(options.mostTicks, 2, mostTicksAtAll);
    const Step middle = stepOfAtLeast(std::max(finest, (high - low) / most));
    std::optional<TickRun> chosen;
    for (const Step step : {finer(middle), middle, coarser(middle)}) {
        if (sizeOf(step) < finest) {
            continue;
        }
        const TickRun run = runWithin(low, high, step);
        if (run.count >= 2 && run.count <= most) {
            return run;
        }
        if (run.count >= 2) {
            chosen = run;
        }
    }
    return chosen;
}

int digitsOf(long long n) {
    return static_cast<int>(std::to_string(std::abs(n)).size());
}

long long powerOfTen(int exponent) {
    long long power = 1;
    for (int i = 0; i < exponent; ++i) {
        power *= 10;
    }
    return power;
}

DecimalNumber decimalOf(long long n, int exponent) {
    DecimalNumber number;
    if (n == 0) {
        return number;
    }
    number.negative = n < 0;
    number.digits = std::to_string(std::abs(n));
    number.exponent = exponent;
    while (number.digits.back() == '0') {
        number.digits.pop_back();
        ++number.exponent;
    }
    return number;
}

// As significantText writes a value, with all of its digits.
std::string decimalText(const DecimalNumber& number) {
    const int leading = number.leadingPlace();
    const int digits = std::max(6, static_cast<int>(number.digits.size()));
    if (leading >= -4 && leading < digits) {
        return plainText(number, std::min(number.exponent, 0));
    }
    DecimalNumber mantissa = number;
    mantissa.exponent -= leading;
    return plainText(mantissa, std::min(mantissa.exponent, 0)) + "×10" + superscript(leading);
}

// Far from 0 the ticks share their first digits: these go into an offset, a round number next
// to the ticks on the side of 0, and the labels count from it. Labels still beyond plain reach (a
// millionfold or more, below 10⁻⁴) share a power of ten.
Axis labelled(double low, double high, const TickRun& run) {
    const int exponent = run.step.exponent;
    const long long first = run.units(0);
    const long long last = run.units(run.count - 1);
    long long offset = 0;
    const int leading = std::max(digitsOf(first), digitsOf(last)) - 1 + exponent;
    if (leading - exponent + 1 > mostPlainDigits) {
        const long long unit = powerOfTen(digitsOf(last - first));
        // Towards 0 from the tick nearest to it, so that labels keep the digits of the values.
        offset = (first >= 0 ? first : last) / unit * unit;
    }
    const int rest = std::max(digitsOf(first - offset), digitsOf(last - offset)) - 1 + exponent;
    const int power = rest >= firstPowerPlace || exponent < -4 ? rest : 0;
    Axis axis{low, high, {}, {}, {}};
    for (long long i = 0; i < run.count; ++i) {
        axis.ticks.push_back(run.value(i));
        axis.labels.push_back(plainText(decimalOf(run.units(i) - offset, exponent - power),
                                        std::min(exponent - power, 0)));
    }
    if (power != 0) {
        axis.shared = "×10" + superscript(power);
    }
    if (offset != 0) {
        axis.shared += (axis.shared.empty() ? "" : " ") + std::string(offset > 0 ? "+" : "") +
                       decimalText(decimalOf(offset, exponent));
    }
    return axis;
}

} // namespace

Axis axisFor(double low, double high, const AxisOptions& options) {
    const double margin = (high - low) * options.margin;
    if (const auto run = chosenRun(low - margin, high + margin, options)) {
        return labelled(low - margin, high + margin, *run);
    }
    const double middle = low / 2 + high / 2;
    const double half = std::max(std::abs(middle) >= smallestMiddle ? std::abs(middle) / 10 : 1.0,
                                 options.whole ? 1.0 : 0);
    // A fifth of the middle's magnitude, or 2, always leaves ticks.
    return labelled(middle - half, middle + half,
                    *chosenRun(middle - half, middle + half, options));
}

} // namespace tavrello
