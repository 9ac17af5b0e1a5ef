// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/json_report.h"

#include "analysis/report.h"
#include "report/json_writer.h"

#include <cstdint>
#include <optional>

namespace tavrello {

namespace {

using report::JsonWriter;

std::string_view warningKey(CriterionWarning warning) {
    switch (warning) {
    case CriterionWarning::CannotRemove:
        return "cannot_remove";
    case CriterionWarning::BeyondTables:
        return "beyond_tables";
    case CriterionWarning::RemovesMuch:
        return "removes_much";
    }
    return {};
}

void writeCriterion(JsonWriter& json, const CriterionOutcome& outcome, std::size_t n) {
    json.beginObject();
    json.key("alpha").number(outcome.alpha);
    json.key("rounds").beginArray();
    for (const Round& round : outcome.rounds) {
        json.beginObject();
        json.key("position").integer(round.position);
        json.key("value").number(round.value);
        json.key("statistic").number(round.statistic);
        json.key("critical").number(round.critical);
        json.key("removed").boolean(round.removed);
        json.endObject();
    }
    json.endArray();
    json.key("removed").beginArray();
    for (const int position : outcome.removed) {
        json.integer(position);
    }
    json.endArray();
    json.key("warnings").beginArray();
    for (const CriterionWarning warning : outcome.warnings) {
        json.beginObject();
        json.key("kind").string(warningKey(warning));
        json.key("text").string(warningText(warning, outcome, n));
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

// {"<figure>": …, "limit": …, "suspect": …}
void writeCheck(JsonWriter& json, const char* name, const char* figure, std::optional<double> value,
                double limit, bool suspect) {
    json.key(name).beginObject();
    json.key(figure).number(value);
    json.key("limit").number(limit);
    json.key("suspect").boolean(suspect);
    json.endObject();
}

void writeSystematic(JsonWriter& json, const SystematicChecks& checks) {
    json.beginObject();
    writeCheck(json, "residual_sums", "delta", checks.residualSums.delta, checks.residualSums.limit,
               checks.residualSums.suspect);
    writeCheck(json, "abbe_helmert", "c", checks.abbeHelmert.c, checks.abbeHelmert.limit,
               checks.abbeHelmert.suspect);
    writeCheck(json, "two_formulas", "u", checks.twoFormulas.u, checks.twoFormulas.limit,
               checks.twoFormulas.suspect);
    json.endObject();
}

void writeResult(JsonWriter& json, const UncertaintyResult& result, const Settings& settings) {
    json.beginObject();
    json.key("symbol").string(symbolFromText(settings.symbol));
    json.key("unit").string(unitFromText(settings.unit));
    json.key("n").integer(static_cast<std::int64_t>(result.n));
    json.key("mean").number(result.mean);
    json.key("u_a").number(result.uA);
    json.key("u_b").number(result.uB);
    json.key("u_c").number(result.uC);
    if (result.nuEff) {
        json.key("nu_eff").integer(*result.nuEff);
    } else {
        json.key("nu_eff").null();
    }
    json.key("coverage").string(coverageKey(result.coverage));
    json.key("k").number(result.k);
    json.key("confidence").number(confidenceFraction(result.confidence));
    json.key("U").number(result.U);
    json.key("relative").number(result.relative);
    json.key("text").string(result.text);
    json.endObject();
}

} // namespace

std::string jsonReport(const Analysis& analysis) {
    JsonWriter json;
    json.beginObject();
    json.key("n").integer(static_cast<std::int64_t>(analysis.n));
    json.key("values").beginArray();
    for (const Reading& reading : analysis.readings) {
        json.number(reading.value);
    }
    json.endArray();
    json.key("texts").beginArray();
    for (const Reading& reading : analysis.readings) {
        json.string(typedText(reading));
    }
    json.endArray();
    json.key("mean").number(analysis.mean);
    json.key("s").number(analysis.s);
    json.key("s_mean").number(analysis.sMean);
    json.key("residuals").numbers(analysis.residuals);
    json.key("criteria").beginObject();
    for (const Criterion criterion : allCriteria) {
        json.key(criterionKey(criterion));
        writeCriterion(json, analysis.outcome(criterion), analysis.n);
    }
    json.endObject();
    json.key("chosen").string(criterionKey(analysis.settings.criterion));
    json.key("systematic");
    writeSystematic(json, analysis.systematic);
    json.key("result");
    writeResult(json, analysis.result, analysis.settings);
    json.endObject();
    return json.text();
}

} // namespace tavrello
