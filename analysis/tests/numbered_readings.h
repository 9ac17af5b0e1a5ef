// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/statistics.h"

#include <vector>

namespace tavrello {

// The values as boxes 1, 2, 3, … hold them.
inline std::vector<Reading> numbered(const std::vector<double>& values) {
    std::vector<Reading> readings;
    for (std::size_t i = 0; i < values.size(); ++i) {
        readings.push_back({static_cast<int>(i + 1), values[i]});
    }
    return readings;
}

} // namespace tavrello
