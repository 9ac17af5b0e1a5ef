// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's quantiles: Boost.Math in a module loaded on the first analysis, not at start
// (see analysis/quantiles.h).
#include "analysis/quantiles.h"
#include "analysis/statistics.h"

#include <QCoreApplication>
#include <QLibrary>

namespace tavrello {

namespace {

using Entry = int (*)(int finite, long long nu, double upperTail, double* quantile);

// Loaded once and kept; a failure is told and tried again at the next analysis.
Entry loadedEntry() {
    static const Entry entry = [] {
        QLibrary module(QCoreApplication::applicationDirPath() + "/" +
                        TAVRELLO_QUANTILES_FROM_PROGRAM);
        const auto found = reinterpret_cast<Entry>(module.resolve("tavrello_tail_quantile"));
        if (found == nullptr) {
            throw AnalysisError(AnalysisError::Problem::Numerical,
                                ("找不到计算分位数的模块：" + module.errorString()).toStdString());
        }
        return found;
    }();
    return entry;
}

} // namespace

double tailQuantile(DegreesOfFreedom nu, double upperTail) {
    double quantile = 0;
    if (loadedEntry()(nu.has_value(), nu.value_or(0), upperTail, &quantile) == 0) {
        throw AnalysisError(AnalysisError::Problem::Numerical, "quantile evaluation failed");
    }
    return quantile;
}

} // namespace tavrello
