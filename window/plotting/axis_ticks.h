// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

namespace tavrello {

struct AxisOptions {
    // Added below and above the data, as a fraction of their span.
    double margin = 0.05;
    // Kept where it is 5 or more; a smaller wish is exceeded where no step leaves between two
    // ticks and this many.
    int mostTicks = 7;
    // Ticks at whole numbers only: box numbers, counts.
    bool whole = false;
};

// What an axis shows: its span, the values at its ticks (1, 2 or 5 times a power of ten, at
// least two, strictly increasing, within the span) and their labels. A tick is its label times
// the shared power of ten plus the shared offset; `shared` writes them once for the axis, as in
// "×10⁻⁶", "+10000000" or "×10⁻⁷ +1×10⁸", and is empty where the labels say it all.
struct Axis {
    double low = 0;
    double high = 1;
    std::vector<double> ticks;
    std::vector<std::string> labels;
    std::string shared;
};

// The axis over data from low to high: finite, low <= high, magnitudes below 10³⁰⁰. A span too
// small for two ticks that doubles can tell apart is shown as equal values are: around their
// middle, the data on one line.
Axis axisFor(double low, double high, const AxisOptions& options = {});

} // namespace tavrello
