// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/gross_errors.h"

#include "analysis/critical_values.h"

#include <algorithm>
#include <limits>

namespace tavrello {

namespace {

struct Moments {
    std::size_t n = 0;
    double mean = 0;
    double s = 0;
};

enum class End { Low, High };

// The values a criterion still keeps. The largest |v| is always at the smallest or the largest
// of them, so they stay a range [low, high] of the ordered series and a round costs O(1): sums
// of x - c and (x - c)² are kept up to date rather than recomputed. Of a run of equal values the
// lowest position goes first from either end; at the top end the run is taken from its front,
// and topTaken_ counts how many of it are gone.
class KeptValues {
  public:
    explicit KeptValues(const OrderedSeries& series)
        : series_(series), low_(0), high_(series.size() - 1) {
        recentre(series.mean());
    }

    std::size_t count() const { return high_ - low_ + 1 - topTaken_; }

    // The value to test at each end: for the top end, the kept one of the top run with the
    // lowest position.
    const Reading& candidate(End end) const {
        return end == End::Low ? series_[low_] : series_[topRunFront() + topTaken_];
    }

    // The end whose value lies farther from the mean; values as far apart as rounding of the
    // input allows count as equally far, and then the lower position goes first.
    End suspectEnd(double mean) const {
        const Reading& low = candidate(End::Low);
        const Reading& high = candidate(End::High);
        const double belowMean = mean - low.value;
        const double aboveMean = high.value - mean;
        const double tolerance =
            residualRounding(std::max(std::abs(low.value), std::abs(high.value)));
        if (std::abs(aboveMean - belowMean) <= tolerance) {
            return low.position <= high.position ? End::Low : End::High;
        }
        return aboveMean > belowMean ? End::High : End::Low;
    }

    Moments moments() {
        if (series_[low_].value == series_[last()].value) {
            return {count(), series_[low_].value, 0};
        }
        const Estimate estimate = fromSums(count(), sum_, squares_);
        if (estimate.reliable) {
            return estimate.moments;
        }
        // The sums have lost the spread, to a huge value since removed or to a centre far from
        // what is left: the moments come from the values, and the sums start again about their
        // mean.
        const Summary fresh = summarise(keptValues(std::nullopt));
        recentre(fresh.mean);
        return {fresh.n, fresh.mean, fresh.s};
    }

    // The moments of the kept values other than the candidate at end.
    Moments momentsWithout(End end) {
        const std::size_t n = count() - 1;
        const double lowest = series_[end == End::Low ? low_ + 1 : low_].value;
        const double highest = series_[end == End::Low ? last() : last() - 1].value;
        if (lowest == highest) {
            return {n, lowest, 0};
        }
        const double difference = candidate(end).value - centre_;
        CompensatedSum sum = sum_;
        CompensatedSum squares = squares_;
        sum.add(-difference);
        squares.add(-difference * difference);
        const Estimate estimate = fromSums(n, sum, squares);
        if (estimate.reliable) {
            return estimate.moments;
        }
        const Summary fresh = summarise(keptValues(end));
        return {fresh.n, fresh.mean, fresh.s};
    }

    void remove(End end) {
        const double difference = candidate(end).value - centre_;
        sum_.add(-difference);
        squares_.add(-difference * difference);
        if (end == End::Low) {
            ++low_;
            return;
        }
        const std::size_t front = topRunFront();
        if (++topTaken_ == high_ - front + 1) {
            high_ = front - 1;
            topTaken_ = 0;
        }
    }

    // The kept values, in position order.
    std::vector<Reading> values() const {
        std::vector<char> isKept(series_.size(), 0);
        const std::size_t takenFrom = topRunFront();
        for (std::size_t index = low_; index <= high_; ++index) {
            if (index < takenFrom || index >= takenFrom + topTaken_) {
                isKept[series_.positionRank(index)] = 1;
            }
        }
        std::vector<Reading> kept;
        kept.reserve(count());
        for (std::size_t rank = 0; rank < isKept.size(); ++rank) {
            if (isKept[rank]) {
                kept.push_back(series_.byPosition()[rank]);
            }
        }
        return kept;
    }

  private:
    struct Estimate {
        Moments moments;
        bool reliable = false;
    };

    // The values at [low_, last()] are the kept ones (the top run's are all equal).
    std::size_t last() const { return high_ - topTaken_; }

    // The kept values, but for the candidate at `without` if one is given.
    std::vector<double> keptValues(std::optional<End> without) const {
        const std::size_t first = without == End::Low ? low_ + 1 : low_;
        const std::size_t end = without == End::High ? last() : last() + 1;
        std::vector<double> values;
        values.reserve(end - first);
        for (std::size_t index = first; index < end; ++index) {
            values.push_back(series_[index].value);
        }
        return values;
    }
    std::size_t topRunFront() const { return std::max(low_, series_.runStart(high_)); }

    // var = (Σd² - (Σd)²/n)/(n - 1) with d = x - c: its rounding error grows with
    // (mean - c)²/var, so past 64 the sums are taken afresh about the current mean.
    Estimate fromSums(std::size_t n, const CompensatedSum& sum,
                      const CompensatedSum& squares) const {
        const double count = static_cast<double>(n);
        const double offset = sum.value() / count;
        const double variance = (squares.value() - sum.value() * offset) / (count - 1);
        Estimate estimate;
        estimate.moments = {n, centre_ + offset, std::sqrt(std::max(variance, 0.0))};
        estimate.reliable = variance > 0 && offset * offset <= 64 * variance;
        return estimate;
    }

    void recentre(double centre) {
        centre_ = centre;
        sum_ = {};
        squares_ = {};
        for (std::size_t index = low_; index <= last(); ++index) {
            const double difference = series_[index].value - centre_;
            sum_.add(difference);
            squares_.add(difference * difference);
        }
    }

    const OrderedSeries& series_;
    std::size_t low_;
    std::size_t high_;
    std::size_t topTaken_ = 0;
    double centre_ = 0;
    CompensatedSum sum_;
    CompensatedSum squares_;
};

// The round's statistic and critical value, and whether the value fails.
void judge(Criterion criterion, double alpha, KeptValues& kept, End end, Round& round) {
    const double deviation = std::abs(round.value - round.mean);
    const double ratio = round.s > 0 ? deviation / round.s : 0;
    switch (criterion) {
    case Criterion::Pauta:
        round.statistic = ratio;
        round.critical = 3;
        round.removed = ratio > round.critical;
        return;
    case Criterion::Grubbs:
        round.statistic = ratio;
        round.critical = grubbsCritical(round.n, alpha);
        round.removed = ratio >= round.critical;
        return;
    case Criterion::Chauvenet:
        round.statistic = ratio;
        round.critical = chauvenetCritical(round.n);
        round.removed = ratio > round.critical;
        return;
    case Criterion::Romanovsky: {
        round.critical = romanovskyCritical(round.n, alpha);
        if (round.s == 0) {
            round.statistic = 0;
        } else {
            const Moments others = kept.momentsWithout(end);
            const double apart = std::abs(round.value - others.mean);
            round.statistic = others.s > 0 ? apart / others.s
                              : apart > 0  ? std::numeric_limits<double>::infinity()
                                           : 0;
        }
        round.removed = round.statistic >= round.critical;
        return;
    }
    }
}

std::vector<CriterionWarning> warningsOf(const CriterionOutcome& outcome, std::size_t n) {
    std::vector<CriterionWarning> warnings;
    if (outcome.criterion == Criterion::Pauta && n <= 10) {
        warnings.push_back(CriterionWarning::CannotRemove);
    }
    if (const std::optional<std::size_t> largest = largestTabulated(outcome.criterion);
        largest && n > *largest) {
        warnings.push_back(CriterionWarning::BeyondTables);
    }
    if (10 * outcome.removed.size() > n) {
        warnings.push_back(CriterionWarning::RemovesMuch);
    }
    return warnings;
}

} // namespace

std::string_view criterionKey(Criterion criterion) {
    switch (criterion) {
    case Criterion::Pauta:
        return "pauta";
    case Criterion::Grubbs:
        return "grubbs";
    case Criterion::Romanovsky:
        return "romanovsky";
    case Criterion::Chauvenet:
        return "chauvenet";
    }
    return {};
}

std::optional<Criterion> criterionFromKey(std::string_view key) {
    for (const Criterion criterion : allCriteria) {
        if (criterionKey(criterion) == key) {
            return criterion;
        }
    }
    return std::nullopt;
}

std::size_t minimumCount(Criterion criterion) {
    return criterion == Criterion::Romanovsky ? 4 : 3;
}

std::optional<std::size_t> largestTabulated(Criterion criterion) {
    switch (criterion) {
    case Criterion::Pauta:
        return std::nullopt;
    case Criterion::Grubbs:
        return 100;
    case Criterion::Romanovsky:
        // A small-sample test: its tables stop at 30 values.
        return 30;
    case Criterion::Chauvenet:
        return 1000;
    }
    return std::nullopt;
}

bool usesAlpha(Criterion criterion) {
    return criterion == Criterion::Grubbs || criterion == Criterion::Romanovsky;
}

OrderedSeries::OrderedSeries(std::span<const Reading> series)
    : byPosition_(series.begin(), series.end()), positionRank_(series.size()),
      runStart_(series.size()) {
    std::sort(byPosition_.begin(), byPosition_.end(),
              [](const Reading& a, const Reading& b) { return a.position < b.position; });
    for (std::size_t rank = 0; rank < positionRank_.size(); ++rank) {
        positionRank_[rank] = rank;
    }
    // Positions are distinct, so ties of value go by their place in byPosition_.
    std::sort(positionRank_.begin(), positionRank_.end(), [this](std::size_t a, std::size_t b) {
        return byPosition_[a].value < byPosition_[b].value ||
               (byPosition_[a].value == byPosition_[b].value && a < b);
    });
    sorted_.reserve(series.size());
    std::vector<double> values;
    values.reserve(series.size());
    for (std::size_t index = 0; index < positionRank_.size(); ++index) {
        sorted_.push_back(byPosition_[positionRank_[index]]);
        const bool continuesRun = index > 0 && sorted_[index].value == sorted_[index - 1].value;
        runStart_[index] = continuesRun ? runStart_[index - 1] : index;
        values.push_back(sorted_[index].value);
    }
    mean_ = summarise(values).mean;
}

CriterionOutcome applyCriterion(const OrderedSeries& series, Criterion criterion, double alpha) {
    CriterionOutcome outcome;
    outcome.criterion = criterion;
    if (usesAlpha(criterion)) {
        outcome.alpha = alpha;
    }
    if (series.size() < minimumCount(criterion)) {
        outcome.tooFew = true;
        outcome.kept.assign(series.byPosition().begin(), series.byPosition().end());
        return outcome;
    }
    KeptValues kept(series);
    while (kept.count() >= minimumCount(criterion)) {
        const Moments moments = kept.moments();
        const End end = kept.suspectEnd(moments.mean);
        Round round;
        round.position = kept.candidate(end).position;
        round.value = kept.candidate(end).value;
        round.text = typedText(kept.candidate(end));
        round.n = moments.n;
        round.mean = moments.mean;
        round.s = moments.s;
        judge(criterion, alpha, kept, end, round);
        outcome.rounds.push_back(round);
        if (!round.removed) {
            break;
        }
        outcome.removed.push_back(round.position);
        kept.remove(end);
    }
    outcome.kept = kept.values();
    outcome.warnings = warningsOf(outcome, series.size());
    return outcome;
}

} // namespace tavrello
