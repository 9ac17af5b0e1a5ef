// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"
#include "report/document.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavrello {

// The analysis in Chinese words, worded so that a student can copy them into a lab report: the
// sentences, and the whole report as one document that the window, the PDF, the clipboard and
// the command line all write out. Values are written as typed; other numbers in sentences have
// six significant digits, means as many more as it takes to tell the values apart.

// "格拉布斯准则" and the like; short: "格拉布斯".
std::string_view criterionName(Criterion criterion);
std::string_view criterionShortName(Criterion criterion);

// A number as the sentences write it.
std::string sentenceNumber(double value);
// A mean of values whose standard deviation is s: to the third significant digit of s at least.
std::string meanNumber(double mean, double s);

// The last decimal place at which a column of the table writes all its numbers: the finest
// any of them needs, down to the sixth significant digit of the largest; nothing where they are
// better written with powers of ten (very small or very large).
std::optional<int> columnPlace(std::span<const double> column);
// A number of a column as the table writes it.
std::string columnNumber(double value, std::optional<int> place);

// What the criterion did, round by round, and what it removed; a long run of rounds is given by
// its first and last ones. seriesCount is n of the whole series.
std::string criterionVerdict(const CriterionOutcome& outcome, std::size_t seriesCount);
// The caveat in words.
std::string warningText(CriterionWarning warning, const CriterionOutcome& outcome,
                        std::size_t seriesCount);
// The statistic and the critical value of the round that tested the value at the position, if
// one did.
std::string roundDetail(const CriterionOutcome& outcome, int position);

std::string residualSumsSentence(const SystematicChecks& checks);
std::string abbeHelmertSentence(const SystematicChecks& checks);
std::string twoFormulasSentence(const SystematicChecks& checks);

// u_A, u_B, u_c, ν_eff, k, U and E, one to a line, with the formulas.
std::string uncertaintyBudget(const UncertaintyResult& result);

// 序号, x_i as typed, v_i, v_i² and, per criterion, the round that removed the value or "保留";
// the chosen criterion's column is marked, and its removals are emphasised.
report::Table residualTable(const Analysis& analysis);

// What the plot shows, in words, for a screen reader.
std::string plotDescription(const Analysis& analysis);

// The whole report: statistics, table, plot, verdicts with their caveats, checks, budget and
// the result line.
report::Document analysisReport(const Analysis& analysis);

// The report as plain text.
std::string textReport(const Analysis& analysis);

} // namespace tavrello
