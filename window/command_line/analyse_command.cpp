// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/analyse_command.h"

#include "analysis/analysis.h"
#include "analysis/json_report.h"
#include "analysis/report.h"
#include "analysis/series_text.h"
#include "window/analysis/analysis_report.h"
#include "window/appearance.h"
#include "window/command_line/shared_options.h"

#include <functional>

namespace tavrello {

namespace {

constexpr std::size_t largestSeries = 100'000;

[[noreturn]] void refuse(const QString& text) {
    throw CommandLineError(ExitStatus::Refused, text);
}

// The files the report is drawn into, by the option that names them.
struct Drawing {
    const char* option;
    QString (*write)(const Analysis& analysis, const QString& file, const QFont& font);
};
const Drawing drawings[] = {{"--pdf", writeAnalysisPdf}, {"--png", writeAnalysisPng}};

std::vector<CommandOption> options() {
    const Settings defaults;
    return joined({
        {{.name = "--criterion",
          .choices = keysOf(allCriteria, criterionKey),
          .help = "判别准则（默认 " + text(criterionKey(defaults.criterion)) + "）"},
         {.name = "--alpha",
          .choices = keysOf(alphaKeys, std::identity()),
          .help = "显著性水平 α（默认 " + QString::number(defaults.alpha) + "）"}},
        expansionOptions(
            {defaults.confidence, defaults.coverage, defaults.rounding, defaults.digits}, "默认 "),
        {{.name = "--instrument-error",
          .valueName = "D",
          .help = "仪器允差 Δ_仪（默认无）",
          .blankAllowed = true},
         {.name = "--symbol",
          .valueName = "S",
          .help = "被测量的符号（默认 " + text(defaults.symbol) + "）",
          .blankAllowed = true},
         {.name = "--unit",
          .valueName = "U",
          .help = "被测量的单位（默认无）",
          .blankAllowed = true},
         {.name = "--format", .choices = {"text", "json"}, .help = "报告的格式（默认 text）"},
         {.name = "--pdf", .valueName = "文件", .help = "另存一页 A4 的 PDF 报告", .draws = true},
         {.name = "--png",
          .valueName = "文件",
          .help = "另存两倍大小的 PNG 数据图",
          .draws = true}},
    });
}

Settings settingsOf(const GivenOptions& given) {
    const Settings defaults;
    Settings settings;
    settings.criterion = criterionFromKey(given.text("--criterion")).value_or(defaults.criterion);
    settings.alpha = alphaFromKey(given.text("--alpha")).value_or(defaults.alpha);
    settings.confidence =
        confidenceFromKey(given.text("--confidence")).value_or(defaults.confidence);
    settings.digits = given.value("--digits").value_or(QString::number(defaults.digits)).toInt();
    settings.rounding = roundingFromKey(given.text("--rounding")).value_or(defaults.rounding);
    settings.coverage = coverageFromKey(given.text("--coverage")).value_or(defaults.coverage);
    settings.instrumentError = allowanceFromText(given.text("--instrument-error"));
    settings.symbol = symbolFromText(given.text("--symbol"));
    settings.unit = unitFromText(given.text("--unit"));
    return settings;
}

// Why the piece at `position` is no value the analysis takes.
QString problemWith(const SeriesPiece& piece, std::size_t position) {
    const bool outOfRange = readValue(piece.text).problem == ValueText::Problem::OutOfRange;
    return QString("第 %1 个数据“%2”").arg(position).arg(fromUtf8(quotedPiece(piece.text))) +
           (outOfRange ? "超出了分析的范围（绝对值 1e-100 到 1e100）。" : "不是一个数。");
}

Reading readingOf(const SeriesPiece& piece, std::size_t position) {
    const ValueText value = readValue(piece.text);
    if (value.problem != ValueText::Problem::None) {
        refuse(problemWith(piece, position));
    }
    return {static_cast<int>(position), value.value, piece.text};
}

std::vector<Reading> readingsOf(const QByteArray& input) {
    const SeriesText series =
        splitSeries(std::string_view(input.constData(), static_cast<std::size_t>(input.size())));
    if (series.refused()) {
        refuse(fromUtf8(refusalText(series, "数据")));
    }
    if (series.notANumber) {
        refuse(problemWith(*series.notANumber, series.piecesBefore + 1));
    }
    if (series.pieces.size() > largestSeries) {
        refuse(QString("最多分析 %1 个数据，读到 %2 个。")
                   .arg(largestSeries)
                   .arg(series.pieces.size()));
    }
    std::vector<Reading> readings;
    readings.reserve(series.pieces.size());
    for (const SeriesPiece& piece : series.pieces) {
        readings.push_back(readingOf(piece, readings.size() + 1));
    }
    return readings;
}

void writeDrawings(const GivenOptions& given, const Analysis& analysis) {
    for (const Drawing& drawing : drawings) {
        if (const std::optional<QString> file = given.value(drawing.option)) {
            if (const QString error = drawing.write(analysis, *file, analysisFont());
                !error.isEmpty()) {
                throw CommandLineError(ExitStatus::NotWritten, error);
            }
        }
    }
}

QByteArray run(const GivenOptions& given, const std::function<QByteArray()>& input) {
    const Settings settings = settingsOf(given);
    const Analysis analysis = analyse(readingsOf(input()), settings);
    writeDrawings(given, analysis);
    return QByteArray::fromStdString(given.value("--format") == "json" ? jsonReport(analysis) + "\n"
                                                                       : textReport(analysis));
}

} // namespace

const Command& analyseCommand() {
    static const Command command{
        "--analyse", "测量列的误差分析",
        "分析测量列：粗大误差判别、系统误差检验、测量结果及其不确定度，与数据分析窗口相同。\n"
        "数据之间以换行、制表符、空格、分号或逗号分隔，以句点作小数点，最多 100000 个；\n",
        options(), run};
    return command;
}

} // namespace tavrello
