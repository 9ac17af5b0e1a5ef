// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/statistics.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello {

// The gross-error criteria. Dixon's is left out on purpose: it has no closed form, and the
// published tables disagree with one another.
enum class Criterion { Pauta, Grubbs, Romanovsky, Chauvenet };
inline constexpr std::array<Criterion, 4> allCriteria = {
    Criterion::Pauta, Criterion::Grubbs, Criterion::Romanovsky, Criterion::Chauvenet};

// "pauta", "grubbs", "romanovsky", "chauvenet".
std::string_view criterionKey(Criterion criterion);
std::optional<Criterion> criterionFromKey(std::string_view key);
// Fewest values a round of the criterion tests: 3, or 4 for Romanovsky's.
std::size_t minimumCount(Criterion criterion);
// Whether the criterion uses the significance level alpha (Grubbs and Romanovsky).
bool usesAlpha(Criterion criterion);

// The series sorted once by value (ties by position), shared by all the criteria.
class OrderedSeries {
  public:
    explicit OrderedSeries(std::span<const Reading> series);

    std::size_t size() const { return sorted_.size(); }
    const Reading& operator[](std::size_t index) const { return sorted_[index]; }
    // The first index of the run of equal values that index belongs to.
    std::size_t runStart(std::size_t index) const { return runStart_[index]; }
    // The series in position order, and where the value at index stands in it.
    std::span<const Reading> byPosition() const { return byPosition_; }
    std::size_t positionRank(std::size_t index) const { return positionRank_[index]; }
    // The mean of all values: the centre the criteria's running sums start from.
    double mean() const { return mean_; }

  private:
    std::vector<Reading> byPosition_;
    std::vector<Reading> sorted_;
    std::vector<std::size_t> positionRank_;
    std::vector<std::size_t> runStart_;
    double mean_ = 0;
};

// One round: the value with the largest |v| among those still kept, tested.
struct Round {
    int position = 0;
    double value = 0;
    // The value as typed.
    std::string text;
    // |v|/s; for Romanovsky's |x - x̄'|/s' over the other values, infinite where s' = 0 and
    // the value differs from theirs. 0 where s = 0.
    double statistic = 0;
    double critical = 0;
    bool removed = false;
    // The values kept when the round began: their count, mean and s.
    std::size_t n = 0;
    double mean = 0;
    double s = 0;
};

// What a reader should know before trusting a criterion's verdict on this series.
enum class CriterionWarning {
    // 3σ: with n <= 10, |v|/s cannot exceed (n - 1)/√n < 3.
    CannotRemove,
    // n beyond the sizes the criterion's tables, or its textbook use, cover.
    BeyondTables,
    // More than a tenth of the values removed.
    RemovesMuch,
};
// The largest n the criterion's tables or textbook use cover; nothing for no limit.
std::optional<std::size_t> largestTabulated(Criterion criterion);

struct CriterionOutcome {
    Criterion criterion = Criterion::Grubbs;
    // Set for the criteria that use it.
    std::optional<double> alpha;
    // Set when the series is shorter than minimumCount: nothing was tested.
    bool tooFew = false;
    std::vector<Round> rounds;
    // Positions in the order they were removed.
    std::vector<int> removed;
    // The values left, in position order.
    std::vector<Reading> kept;
    std::vector<CriterionWarning> warnings;
};

// Rounds until a value passes or fewer values than the minimum are left.
CriterionOutcome applyCriterion(const OrderedSeries& series, Criterion criterion, double alpha);

} // namespace tavrello
