// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_window/setting_choices.h"

#include "analysis/report.h"

namespace tavrello {

namespace {

template <typename Values, typename Label, typename Key>
ChoiceEntries choices(const Values& values, Label label, Key key) {
    ChoiceEntries entries;
    for (const auto& value : values) {
        entries.append({keyText(label(value)), keyText(key(value))});
    }
    return entries;
}

std::string_view coverageLabel(Coverage coverage) {
    switch (coverage) {
    case Coverage::Student:
        return "t 分布";
    case Coverage::K1:
        return "k = 1";
    case Coverage::K2:
        return "k = 2";
    case Coverage::K3:
        return "k = 3";
    }
    return {};
}

std::string_view roundingLabel(Rounding rounding) {
    return rounding == Rounding::Up ? "只进不舍" : "四舍六入五成双";
}

} // namespace

QString keyText(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

ChoiceEntries criterionChoices() {
    return choices(allCriteria, criterionName, criterionKey);
}

ChoiceEntries alphaChoices() {
    return choices(alphaKeys, std::identity(), std::identity());
}

ChoiceEntries confidenceChoices() {
    return choices(allConfidences, confidenceLabel, confidenceKey);
}

ChoiceEntries digitsChoices() {
    return {{"2", 2}, {"1", 1}};
}

ChoiceEntries coverageChoices() {
    return choices(allCoverages, coverageLabel, coverageKey);
}

ChoiceEntries roundingChoices() {
    return choices(allRoundings, roundingLabel, roundingKey);
}

QString alphaKeyOf(double alpha) {
    for (const std::string_view key : alphaKeys) {
        if (alphaFromKey(key) == alpha) {
            return keyText(key);
        }
    }
    return {};
}

} // namespace tavrello
