// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavrello {

// The pieces of the Chinese report, worded so that a student can copy them into a lab report;
// a dialog shows the same sentences. Numbers in sentences have six significant digits.

// "格拉布斯准则" and the like.
std::string_view criterionName(Criterion criterion);

// A number as the sentences write it.
std::string sentenceNumber(double value);

// The last decimal place at which a column of the table writes all its numbers: the finest
// any of them needs, down to the sixth significant digit of the largest; nothing where they are
// better written with powers of ten (very small or very large).
std::optional<int> columnPlace(std::span<const double> column);
// A number of a column as the table writes it.
std::string columnNumber(double value, std::optional<int> place);

// What the criterion did, round by round, and what it removed; seriesCount is n of the whole
// series (the 3σ criterion cannot remove anything from 10 values or fewer).
std::string criterionVerdict(const CriterionOutcome& outcome, std::size_t seriesCount);

std::string residualSumsSentence(const SystematicChecks& checks);
std::string abbeHelmertSentence(const SystematicChecks& checks);
std::string twoFormulasSentence(const SystematicChecks& checks);

// u_A, u_B, u_c, ν_eff, k and U, one to a line, with the formulas.
std::string uncertaintyBudget(const UncertaintyResult& result);

// 序号, x_i, v_i, v_i² and, per criterion, the round that removed the value.
std::string residualTable(const Analysis& analysis);

// The whole report: statistics, table, verdicts, checks, budget and the result line.
std::string textReport(const Analysis& analysis);

} // namespace tavrello
