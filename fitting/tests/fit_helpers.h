// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/line_fit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello::fitting {

// The points as typed into rows 1, 2, 3, …
inline DataSet typedPoints(const std::vector<std::pair<std::string, std::string>>& pairs) {
    DataSet data;
    for (const auto& [x, y] : pairs) {
        data.points.push_back(
            std::get<Point>(readPoint(static_cast<int>(data.points.size() + 1), x, y)));
    }
    return data;
}

inline DataSet numberedPoints(const std::vector<double>& x, const std::vector<double>& y) {
    DataSet data;
    for (std::size_t i = 0; i < x.size(); ++i) {
        Point& point = data.points.emplace_back();
        point.position = static_cast<int>(i + 1);
        point.x = x[i];
        point.y = y[i];
    }
    return data;
}

// The fit, failing the test where it is refused.
inline Fit fitted(const DataSet& data, const FitSettings& settings = {}) {
    Outcome<Fit> outcome = fitLine(data, settings);
    if (const Refusal* refusal = std::get_if<Refusal>(&outcome)) {
        ADD_FAILURE() << "refused: " << refusal->message;
        return {};
    }
    return std::get<Fit>(std::move(outcome));
}

} // namespace tavrello::fitting
