// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/fit_json.h"

#include "report/json_writer.h"

#include <cstdint>

namespace tavrello::fitting {

namespace {

using report::JsonWriter;

void degrees(JsonWriter& json, DegreesOfFreedom nu) {
    if (nu) {
        json.integer(*nu);
    } else {
        json.null();
    }
}

void writeWeighted(JsonWriter& json, const Fit& fit) {
    if (!fit.weighted) {
        json.null();
        return;
    }
    json.beginObject();
    json.key("u_a").number(fit.intercept ? std::optional(fit.intercept->uA) : std::nullopt);
    json.key("u_b").number(fit.slope.uA);
    json.key("chi2").number(fit.weighted->sse);
    json.key("nu").integer(fit.nu);
    json.endObject();
}

void writeInstrument(JsonWriter& json, const Fit& fit) {
    if (!fit.instrumentU) {
        json.null();
        return;
    }
    json.beginObject();
    json.key("allowance").number(fit.settings.instrumentError);
    json.key("u_y").number(*fit.instrumentU);
    json.key("u_a").number(fit.intercept ? std::optional(fit.intercept->uB) : std::nullopt);
    json.key("u_b").number(fit.slope.uB);
    json.endObject();
}

} // namespace

std::string fitJson(const Fit& fit) {
    const std::optional<Estimate>& intercept = fit.intercept;
    JsonWriter json;
    json.beginObject();
    json.key("n").integer(static_cast<std::int64_t>(fit.n));
    json.key("method").string(methodKey(fit.settings.method));
    json.key("model").string(fit.model());
    json.key("a").number(fit.hasIntercept() ? std::optional(fit.a) : std::nullopt);
    json.key("b").number(fit.b);
    json.key("s").number(fit.s);
    json.key("s_a").number(fit.sA);
    json.key("s_b").number(fit.sB);
    json.key("r").number(fit.r);
    json.key("r2").number(fit.r2);
    json.key("nu");
    degrees(json, fit.slope.nu);
    json.key("k").number(fit.slope.k);
    json.key("nu_a");
    if (intercept) {
        degrees(json, intercept->nu);
    } else {
        json.null();
    }
    json.key("k_a").number(intercept ? std::optional(intercept->k) : std::nullopt);
    json.key("U_a").number(intercept ? std::optional(intercept->U) : std::nullopt);
    json.key("U_b").number(fit.slope.U);
    json.key("confidence").number(confidenceFraction(fit.settings.expansion.confidence));
    json.key("weighted");
    writeWeighted(json, fit);
    json.key("instrument");
    writeInstrument(json, fit);
    json.key("residuals").numbers(fit.residuals);
    json.key("standardised").numbers(fit.standardised);
    json.key("flagged").beginArray();
    for (const int position : fit.flagged) {
        json.integer(position);
    }
    json.endArray();
    json.key("deltas");
    if (fit.differences) {
        json.numbers(fit.differences->deltas);
    } else {
        json.null();
    }
    std::string text;
    for (const std::string& line : resultLines(fit)) {
        text += (text.empty() ? "" : "\n") + line;
    }
    json.key("text").string(text);
    json.endObject();
    return json.text();
}

} // namespace tavrello::fitting
