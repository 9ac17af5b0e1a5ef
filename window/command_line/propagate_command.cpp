// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/propagate_command.h"

#include "analysis/settings.h"
#include "propagation/propagate.h"
#include "propagation/propagation_report.h"
#include "window/appearance.h"
#include "window/command_line/shared_options.h"
#include "window/propagation/propagation_files.h"
#include "window/reports/report_files.h"

#include <utility>
#include <vector>

namespace tavrello {

namespace {

using propagation::Propagation;

// Each option that overrides the file's settings, by the key of its settings statement.
struct Override {
    const char* option;
    const char* key;
};
constexpr Override overrides[] = {{"--confidence", "confidence"}, {"--coverage", "coverage"},
                                  {"--rounding", "rounding"},     {"--digits", "digits"},
                                  {"--draws", "draws"},           {"--seed", "seed"}};

struct Drawing {
    const char* option;
    QString (*write)(const Propagation& propagation, const QString& file, const QFont& font);
};
const Drawing drawings[] = {{"--pdf", writePropagationPdf}, {"--png", writePropagationPng}};

std::vector<CommandOption> options() {
    const propagation::TaskSettings defaults;
    const Settings& judgement = defaults.judgement;
    return joined({
        expansionOptions(
            {judgement.confidence, judgement.coverage, judgement.rounding, judgement.digits},
            "默认按文件，否则 "),
        {{.name = "--draws",
          .valueName = "N",
          .help = "蒙特卡洛法的抽样次数，10000 到 10000000（默认按文件，否则 " +
                  QString::number(defaults.draws) + "）"},
         {.name = "--seed",
          .valueName = "S",
          .help = "随机数种子，相同的种子给出相同的结果（默认按文件，否则 " +
                  QString::number(defaults.seed) + "）"},
         {.name = "--format", .choices = {"text", "json"}, .help = "报告的格式（默认 text）"},
         {.name = "--pdf", .valueName = "文件", .help = "另存 A4 的 PDF 报告", .draws = true},
         {.name = "--png",
          .valueName = "文件",
          .help = "另存两倍大小的 PNG 直方图",
          .draws = true}},
    });
}

void writeDrawings(const GivenOptions& given, const Propagation& done) {
    for (const Drawing& drawing : drawings) {
        if (const std::optional<QString> file = given.value(drawing.option)) {
            if (const QString error = drawing.write(done, *file, analysisFont());
                !error.isEmpty()) {
                throw CommandLineError(ExitStatus::NotWritten, error);
            }
        }
    }
}

QByteArray run(const GivenOptions& given, const std::function<QByteArray()>& input) {
    std::vector<std::pair<std::string, std::string>> settings;
    for (const Override& each : overrides) {
        if (given.has(each.option)) {
            settings.emplace_back(each.key, given.text(each.option));
        }
    }
    const QByteArray task = input();
    const propagation::Checked<Propagation> done = propagation::workTask(
        std::string_view(task.constData(), static_cast<std::size_t>(task.size())), settings);
    if (!done) {
        throw CommandLineError(ExitStatus::Refused, text(done.problem().text()));
    }
    writeDrawings(given, done.value());
    return QByteArray::fromStdString(
        given.value("--format") == "json"
            ? propagation::propagationJson(done.value()) + "\n"
            : report::plainText(propagation::propagationReport(done.value())));
}

} // namespace

const Command& propagateCommand() {
    static const Command command{
        "--propagate", "间接测量：不确定度传播律与蒙特卡洛法",
        "间接测量：按任务文件中的测量模型与各输入量，求不确定度分量一览表、合成与扩展不确定度，\n"
        "并以蒙特卡洛法验证，与间接测量窗口相同。任务文件为 UTF-8 文本，每行一条语句，\n"
        "以 模型、测量列、单次测量、已知、常数、相关 或 设置 开头，# 后为注释；\n"
        "选项给出的设置优先于文件中的 设置 语句；\n",
        options(), run};
    return command;
}

} // namespace tavrello
