// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The quantiles as a module of their own, which the program loads when an analysis first asks
// for one (see quantiles.h). Its entry point is plain C, so that no exception crosses it.
#include "analysis/quantiles.h"
#include "analysis/statistics.h"

#ifdef _WIN32
#define TAVRELLO_MODULE_ENTRY extern "C" __declspec(dllexport)
#else
#define TAVRELLO_MODULE_ENTRY extern "C" __attribute__((visibility("default")))
#endif

// Writes the quantile and returns 1, or returns 0 when the evaluation fails. `finite` tells
// whether nu counts the degrees of freedom or stands for infinitely many.
TAVRELLO_MODULE_ENTRY int tavrello_tail_quantile(int finite, long long nu, double upperTail,
                                                 double* quantile) {
    try {
        *quantile = tavrello::tailQuantile(finite ? tavrello::DegreesOfFreedom(nu) : std::nullopt,
                                           upperTail);
        return 1;
    } catch (const tavrello::AnalysisError&) {
        return 0;
    }
}
