// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/series_text.h"
#include "analysis/statistics.h"

#include <string>
#include <vector>

namespace tavrello {

// The values as boxes 1, 2, 3, … hold them.
inline std::vector<Reading> numbered(const std::vector<double>& values) {
    std::vector<Reading> readings;
    for (std::size_t i = 0; i < values.size(); ++i) {
        readings.push_back({static_cast<int>(i + 1), values[i], {}});
    }
    return readings;
}

// The values as typed into boxes 1, 2, 3, …
inline std::vector<Reading> typed(const std::vector<std::string>& texts) {
    std::vector<Reading> readings;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        readings.push_back({static_cast<int>(i + 1), *readWholeNumber(texts[i]), texts[i]});
    }
    return readings;
}

} // namespace tavrello
