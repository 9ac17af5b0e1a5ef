// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/box_series.h"

#include "analysis/series_text.h"

namespace tavrello {

namespace {

// "第 2、5 个输入框"
QString boxesNamed(const QList<int>& boxes) {
    QStringList numbers;
    for (const int box : boxes) {
        numbers.append(QString::number(box));
    }
    return "第 " + numbers.join("、") + " 个输入框";
}

} // namespace

BoxSeries readBoxSeries(const FormControls& controls, const CalculationState& state) {
    BoxSeries series;
    if (state.c == static_cast<std::int16_t>(Method::Range)) {
        series.problem = "极差法只输入最大值和最小值，不是一个测量列。请选择其他计算方法，"
                         "输入全部测量数据后再分析。";
        return series;
    }
    if (state.n < 2 || state.n > inputBoxCount) {
        series.problem = "请先在“测量次数n”中选择测量次数。";
        return series;
    }
    QList<int> empty;
    QList<int> notNumbers;
    QList<int> outOfRange;
    for (int box = 1; box <= state.n; ++box) {
        const QString text = controls.Text[box - 1]->text().trimmed();
        if (text.isEmpty()) {
            empty.append(box);
            continue;
        }
        // A box reads blanks as nothing, as the compute command's reader does.
        const ValueText value = readValue(QString(text).remove(' ').toStdString());
        switch (value.problem) {
        case ValueText::Problem::NotANumber:
            notNumbers.append(box);
            break;
        case ValueText::Problem::OutOfRange:
            outOfRange.append(box);
            break;
        case ValueText::Problem::None:
            series.readings.push_back({box, value.value, text.toStdString()});
        }
    }
    QStringList problems;
    if (!empty.isEmpty()) {
        problems.append(boxesNamed(empty) + "是空的");
    }
    if (!notNumbers.isEmpty()) {
        problems.append(boxesNamed(notNumbers) + "中不是一个数");
    }
    if (!outOfRange.isEmpty()) {
        problems.append(boxesNamed(outOfRange) +
                        "中的数超出了分析的范围（绝对值 1e-100 到 1e100）");
    }
    if (!problems.isEmpty()) {
        series.readings.clear();
        series.problem = "还不能分析：" + problems.join("；") + "。";
    }
    return series;
}

} // namespace tavrello
