// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/shared_options.h"

#include "window/reports/report_files.h"

#include <string>

namespace tavrello {

QString text(std::string_view utf8) {
    return fromUtf8(std::string(utf8));
}

std::vector<CommandOption> expansionOptions(const ExpansionDefaults& defaults,
                                            const QString& defaultLead) {
    const auto withDefault = [&defaultLead](const QString& help, const QString& value) {
        return help + "（" + defaultLead + value + "）";
    };
    return {
        {.name = "--confidence",
         .choices = keysOf(allConfidences, confidenceKey),
         .help = withDefault("置信概率 P，百分数", text(confidenceKey(defaults.confidence)))},
        {.name = "--coverage",
         .choices = keysOf(allCoverages, coverageKey),
         .help = withDefault("包含因子：t 由 P 与 ν 查 t 分布，1、2、3 取定值",
                             text(coverageKey(defaults.coverage)))},
        {.name = "--rounding",
         .choices = keysOf(allRoundings, roundingKey),
         .help = withDefault("不确定度的修约：even 四舍六入五成双，up 只进不舍",
                             text(roundingKey(defaults.rounding)))},
        {.name = "--digits",
         .choices = {"1", "2"},
         .help = withDefault("不确定度的有效位数", QString::number(defaults.digits))},
    };
}

std::vector<CommandOption> joined(std::initializer_list<std::vector<CommandOption>> parts) {
    std::vector<CommandOption> options;
    for (const std::vector<CommandOption>& part : parts) {
        options.insert(options.end(), part.begin(), part.end());
    }
    return options;
}

} // namespace tavrello
