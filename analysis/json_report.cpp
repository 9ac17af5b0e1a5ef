// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/json_report.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

namespace tavrello {

namespace {

// Writes one JSON value into a string; commas between members and elements come by
// themselves.
class JsonWriter {
  public:
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    JsonWriter& key(std::string_view name) {
        separate();
        out_ += jsonString(name);
        out_ += ':';
        afterKey_ = true;
        return *this;
    }

    void number(double value) {
        separate();
        if (!std::isfinite(value)) {
            out_ += "null";
            return;
        }
        char buffer[32];
        out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }
    void number(std::optional<double> value) {
        if (value) {
            number(*value);
        } else {
            null();
        }
    }
    void integer(std::int64_t value) {
        separate();
        out_ += std::to_string(value);
    }
    void boolean(bool value) {
        separate();
        out_ += value ? "true" : "false";
    }
    void string(std::string_view text) {
        separate();
        out_ += jsonString(text);
    }
    void null() {
        separate();
        out_ += "null";
    }
    void numbers(std::span<const double> values) {
        beginArray();
        for (const double value : values) {
            number(value);
        }
        endArray();
    }

    const std::string& text() const { return out_; }

  private:
    void open(char bracket) {
        separate();
        out_ += bracket;
        first_ = true;
    }
    void close(char bracket) {
        out_ += bracket;
        first_ = false;
    }
    // A comma before every member or element but the first; none between a key and its value.
    void separate() {
        if (afterKey_) {
            afterKey_ = false;
        } else if (!first_) {
            out_ += ',';
        }
        first_ = false;
    }

    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};

void writeCriterion(JsonWriter& json, const CriterionOutcome& outcome) {
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

void writeResult(JsonWriter& json, const UncertaintyResult& result) {
    json.beginObject();
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
    json.key("k").number(result.k);
    json.key("confidence").number(confidenceFraction(result.confidence));
    json.key("U").number(result.U);
    json.key("text").string(result.text);
    json.endObject();
}

} // namespace

std::string jsonString(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                quoted += "\\u00";
                quoted += hex[byte >> 4];
                quoted += hex[byte & 0xf];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

std::string jsonReport(const Analysis& analysis) {
    JsonWriter json;
    json.beginObject();
    json.key("n").integer(static_cast<std::int64_t>(analysis.n));
    json.key("values").beginArray();
    for (const Reading& reading : analysis.readings) {
        json.number(reading.value);
    }
    json.endArray();
    json.key("mean").number(analysis.mean);
    json.key("s").number(analysis.s);
    json.key("s_mean").number(analysis.sMean);
    json.key("residuals").numbers(analysis.residuals);
    json.key("criteria").beginObject();
    for (const Criterion criterion : allCriteria) {
        json.key(criterionKey(criterion));
        writeCriterion(json, analysis.outcome(criterion));
    }
    json.endObject();
    json.key("chosen").string(criterionKey(analysis.settings.criterion));
    json.key("systematic");
    writeSystematic(json, analysis.systematic);
    json.key("result");
    writeResult(json, analysis.result);
    json.endObject();
    return json.text();
}

} // namespace tavrello
