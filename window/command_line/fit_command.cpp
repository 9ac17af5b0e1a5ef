// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/fit_command.h"

#include "analysis/settings.h"
#include "fitting/fit_json.h"
#include "fitting/fit_report.h"
#include "window/appearance.h"
#include "window/command_line/shared_options.h"
#include "window/fitting/fit_files.h"

#include <functional>

namespace tavrello {

namespace {

using fitting::FitMethod;
using fitting::FitSettings;

// The methods as the command line names them, hyphenated as its options are.
struct MethodOption {
    const char* name;
    FitMethod method;
};
constexpr MethodOption methodOptions[] = {
    {"least-squares", FitMethod::LeastSquares},
    {"origin", FitMethod::ThroughOrigin},
    {"successive-differences", FitMethod::SuccessiveDifferences},
};

[[noreturn]] void refuse(const std::string& text) {
    throw CommandLineError(ExitStatus::Refused, fromUtf8(text));
}

struct Drawing {
    const char* option;
    QString (*write)(const fitting::Fit& fit, const QString& file, const QFont& font);
};
const Drawing drawings[] = {{"--pdf", writeFitPdf}, {"--png", writeFitPng}};

std::vector<CommandOption> options() {
    const FitSettings defaults;
    const fitting::Expansion& expansion = defaults.expansion;
    QStringList methods;
    for (const MethodOption& option : methodOptions) {
        methods.append(option.name);
    }
    const QStringList transforms = keysOf(fitting::allTransforms, fitting::transformKey);
    return joined({
        {
            {.name = "--method",
             .choices = methods,
             .help = "拟合方法：最小二乘法、过原点的最小二乘法、逐差法（默认 least-squares）"},
            {.name = "--transform-x",
             .choices = transforms,
             .help = "拟合前对 x 的变换：ln、lg、倒数、平方、平方根（默认 none）"},
            {.name = "--transform-y",
             .choices = transforms,
             .help = "拟合前对 y 的变换（默认 none）"},
        },
        expansionOptions(
            {expansion.confidence, expansion.coverage, expansion.rounding, expansion.digits},
            "默认 "),
        {{.name = "--instrument-error",
          .valueName = "D",
          .help = "y 的仪器允差 Δ_仪（默认无）",
          .blankAllowed = true},
         {.name = "--uncertainty",
          .valueName = "U",
          .help = "统一的 u(y)，用于没有第三列的点（默认无）",
          .blankAllowed = true},
         {.name = "--format", .choices = {"text", "json"}, .help = "报告的格式（默认 text）"},
         {.name = "--pdf", .valueName = "文件", .help = "另存 A4 的 PDF 报告", .draws = true},
         {.name = "--png",
          .valueName = "文件",
          .help = "另存两倍大小的 PNG 拟合图",
          .draws = true}},
    });
}

FitMethod methodOf(const std::optional<QString>& name) {
    for (const MethodOption& option : methodOptions) {
        if (name == option.name) {
            return option.method;
        }
    }
    return FitSettings().method;
}

FitSettings settingsOf(const GivenOptions& given) {
    const FitSettings defaults;
    const fitting::Expansion& expansion = defaults.expansion;
    FitSettings settings;
    settings.method = methodOf(given.value("--method"));
    settings.xTransform =
        fitting::transformFromKey(given.text("--transform-x")).value_or(defaults.xTransform);
    settings.yTransform =
        fitting::transformFromKey(given.text("--transform-y")).value_or(defaults.yTransform);
    settings.expansion.confidence =
        confidenceFromKey(given.text("--confidence")).value_or(expansion.confidence);
    settings.expansion.coverage =
        coverageFromKey(given.text("--coverage")).value_or(expansion.coverage);
    settings.expansion.rounding =
        roundingFromKey(given.text("--rounding")).value_or(expansion.rounding);
    settings.expansion.digits =
        given.value("--digits").value_or(QString::number(expansion.digits)).toInt();
    settings.instrumentError = allowanceFromText(given.text("--instrument-error"));
    settings.commonU = fitting::uncertaintyFromText(given.text("--uncertainty"));
    fitting::checkFitSettings(settings);
    return settings;
}

// What the outcome holds, or its refusal's message as the run's.
template <typename Value> Value valueOf(fitting::Outcome<Value> outcome) {
    if (const auto* refusal = std::get_if<fitting::Refusal>(&outcome)) {
        refuse(refusal->message);
    }
    return std::get<Value>(std::move(outcome));
}

void writeDrawings(const GivenOptions& given, const fitting::Fit& fit) {
    for (const Drawing& drawing : drawings) {
        if (const std::optional<QString> file = given.value(drawing.option)) {
            if (const QString error = drawing.write(fit, *file, analysisFont()); !error.isEmpty()) {
                throw CommandLineError(ExitStatus::NotWritten, error);
            }
        }
    }
}

// The data are moved into the fit: copying a million points costs more than fitting them.
QByteArray run(const GivenOptions& given, const std::function<QByteArray()>& input) {
    const FitSettings settings = settingsOf(given);
    const QByteArray bytes = input();
    fitting::DataSet data = valueOf(fitting::readDataText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    const fitting::Fit fit = valueOf(fitting::fitLine(std::move(data), settings));
    writeDrawings(given, fit);
    return QByteArray::fromStdString(given.value("--format") == "json"
                                         ? fitting::fitJson(fit) + "\n"
                                         : report::plainText(fitting::fitReport(fit)));
}

} // namespace

const Command& fitCommand() {
    static const Command command{
        "--fit", "直线拟合",
        "拟合直线 y = a + b·x，与直线拟合窗口相同：最小二乘法（有 u(y) 时按 1/u² 加权）、\n"
        "过原点的最小二乘法或逐差法，可先对 x、y 作变换。\n"
        "数据每行一个点：x、y，可选第三列 u(y)，以制表符、逗号或空格分隔；\n"
        "第一行可以是表头，写出名称与单位，如“F (N)”或“F/N”；\n",
        options(), run};
    return command;
}

} // namespace tavrello
