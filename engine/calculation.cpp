// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculation.h"

#include "engine/coefficients.h"
#include "engine/flag_clearing_controls.h"
#include "engine/float_flags.h"
#include "engine/guarded_integer.h"
#include "engine/number_text.h"
#include "engine/result_slots.h"
#include "engine/single_array.h"
#include "engine/value_of_text.h"

#include <cmath>

namespace tavrello {

namespace {

// The double constant of the Peters method; as a single it would move the seventh digit.
constexpr double petersFactor = 1.253;

// One click of the compute command. Every quantity is narrowed to single exactly where it is
// stored as one; everything between two stores is double.
class ComputeCommand {
  public:
    ComputeCommand(CalculationState& state, Controls& controls)
        : state_(state), controls_(controls, flags_) {}

    void run() {
        readInputs();
        const float mean = computeMean();
        writeGroup(controls_, ResultGroup::Mean, singleToText(mean));
        computeSingleDeviation(mean);
        computeMeanDeviation();
    }

  private:
    // i from first up to n inclusive, on the state's own counter, each increment guarded.
    template <typename Body> void forEachIndex(std::int16_t first, Body body) {
        const std::int16_t last = state_.n;
        for (state_.i = first; state_.i <= last; state_.i = guardedAdd(state_.i, 1)) {
            body(state_.i);
        }
    }

    void readInputs() {
        for (int box = 1; box <= inputBoxCount; ++box) {
            values_[box] = narrowFinite(valueOfText(controls_.inputText(box)));
        }
    }

    float computeMean() {
        float sum = 0;
        forEachIndex(1, [&](std::int16_t i) {
            sum = flags_.narrow(flags_.add(sum, values_.at(i)));
            flags_.checkpoint();
        });
        const float mean = flags_.narrow(flags_.divide(sum, state_.n));
        flags_.checkpoint();
        return mean;
    }

    void computeSingleDeviation(float mean) {
        switch (static_cast<Method>(state_.c)) {
        case Method::Bessel:
            return computeBessel(mean);
        case Method::Peters:
            return computePeters(mean);
        case Method::Range:
            return computeRange();
        case Method::MaximumError:
            return computeMaximumError(mean);
        }
        // Any other code runs no method: u keeps its value.
    }

    double checkedDifferenceFromMean(std::int16_t i, float mean) {
        const double difference = flags_.subtract(values_.at(i), mean);
        flags_.checkpoint();
        return difference;
    }

    void computeBessel(float mean) {
        float sumOfSquares = 0;
        forEachIndex(1, [&](std::int16_t i) {
            const double difference = checkedDifferenceFromMean(i, mean);
            sumOfSquares =
                flags_.narrow(flags_.add(sumOfSquares, flags_.multiply(difference, difference)));
            flags_.checkpoint();
        });
        const double variance = flags_.divide(sumOfSquares, guardedSubtract(state_.n, 1));
        flags_.checkpoint();
        // What the root raises waits for the checkpoint of the mean's deviation.
        state_.u = narrowFinite(flags_.squareRoot(variance));
    }

    void computePeters(float mean) {
        float sumOfDeviations = 0;
        forEachIndex(1, [&](std::int16_t i) {
            const double difference = checkedDifferenceFromMean(i, mean);
            sumOfDeviations = flags_.narrow(flags_.add(sumOfDeviations, std::fabs(difference)));
            flags_.checkpoint();
        });
        const std::int16_t pairs = guardedMultiply(state_.n, guardedSubtract(state_.n, 1));
        const double root = flags_.squareRoot(pairs);
        const double result = flags_.divide(flags_.multiply(sumOfDeviations, petersFactor), root);
        flags_.checkpoint();
        state_.u = narrowFinite(result);
    }

    void computeRange() {
        const float coefficient = coefficientFor(rangeCoefficients, state_.n);
        blankGroup(controls_, ResultGroup::Mean);
        // Xmax and Xmin typed the wrong way round give the same deviation.
        const double range = std::fabs(flags_.subtract(values_[1], values_[2]));
        const double result = flags_.divide(range, coefficient);
        flags_.checkpoint();
        state_.u = narrowFinite(result);
    }

    void computeMaximumError(float mean) {
        const float coefficient = coefficientFor(maximumErrorCoefficients, state_.n);
        forEachIndex(1, [&](std::int16_t i) {
            deviations_.at(i) = flags_.narrow(std::fabs(checkedDifferenceFromMean(i, mean)));
            flags_.checkpoint();
        });
        // Strictly greater: of equal largest deviations the first one stays.
        float largest = deviations_[1];
        forEachIndex(2, [&](std::int16_t i) {
            if (deviations_.at(i) > largest) {
                largest = deviations_.at(i);
            }
        });
        const double result = flags_.multiply(largest, coefficient);
        flags_.checkpoint();
        state_.u = narrowFinite(result);
    }

    void computeMeanDeviation() {
        const double result = flags_.divide(state_.u, flags_.squareRoot(state_.n));
        // Checked before the store, so j never takes a value that fails.
        flags_.checkpoint();
        state_.j = narrowFinite(result);
    }

    CalculationState& state_;
    FloatFlags flags_;
    FlagClearingControls controls_;
    SingleArray values_;
    SingleArray deviations_;
};

} // namespace

Outcome computeCommand(CalculationState& state, Controls& controls) {
    try {
        ComputeCommand(state, controls).run();
    } catch (const RunTimeError& error) {
        return error;
    }
    return std::nullopt;
}

void showSingleDeviation(const CalculationState& state, Controls& controls) {
    writeGroup(controls, ResultGroup::SingleDeviation, singleToText(state.u));
}

void showMeanDeviation(const CalculationState& state, Controls& controls) {
    writeGroup(controls, ResultGroup::MeanDeviation, singleToText(state.j));
}

} // namespace tavrello
