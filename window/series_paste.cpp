// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/series_paste.h"

#include "analysis/series_text.h"
#include "window/layout_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

namespace tavrello {

namespace {

constexpr char notPasted[] = "未粘贴任何数。";

// The values of the text, each as it will stand in its box. A line or spreadsheet cell that a box
// reads as one number is one value, not a list torn at its blanks.
SeriesText seriesOf(const QString& text) {
    return splitSeries(text.toStdString(), [](std::string_view cell) {
        return wholeBoxNumber(QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size())))
            .has_value();
    });
}

QString doesNotFitText(qsizetype values, int box, int lastBox, bool range) {
    const int room = std::max(0, lastBox - box + 1);
    const QString reason =
        range ? QString("极差法只用 Xmax 和 Xmin 两个输入框，从此框起只有 %1 个").arg(room)
              : QString("从第 %1 个输入框到第 %2 个输入框只有 %3 个框")
                    .arg(box)
                    .arg(lastBox)
                    .arg(room);
    return QString("粘贴的 %1 个数放不下：%2。").arg(values).arg(reason) + notPasted;
}

} // namespace

SeriesPaste::SeriesPaste(QWidget& window, const FormControls& controls,
                         const CalculationState& state, UserMessages& messages,
                         Announcer& announcer)
    : window_(window), controls_(controls), state_(state), messages_(messages),
      announcer_(announcer) {}

void SeriesPaste::paste(int box) {
    QLineEdit& target = *controls_.Text[box - 1];
    const QString text = QGuiApplication::clipboard()->text();
    const SeriesText series = seriesOf(text);
    if (series.refused()) {
        // Read as a list, "10,1" would become the two values 10 and 1.
        messages_.tell(window_,
                       QString::fromStdString(refusalText(series, "粘贴的数")) + notPasted);
        return;
    }
    QStringList values;
    for (const SeriesPiece& piece : series.pieces) {
        values.append(QString::fromStdString(piece.text));
    }
    if (values.size() >= 2) {
        pasteSeries(box, values);
    } else if (values.value(0) == text) {
        target.paste();
    } else {
        // One spreadsheet cell comes with a line break after it.
        target.insert(values.value(0));
    }
}

void SeriesPaste::pasteSeries(int box, const QStringList& values) {
    const bool range = state_.c == static_cast<std::int16_t>(Method::Range);
    const int lastBox = range ? rangeRowCount : inputBoxCount;
    const auto last = static_cast<int>(box + values.size() - 1);
    if (last > lastBox) {
        messages_.tell(window_, doesNotFitText(values.size(), box, lastBox, range));
        return;
    }
    // The compute command reads the first n boxes, and before the first pick n is 0.
    if (!range && (last > shownBoxCount() || last > state_.n)) {
        controls_.Combo1->pick(QString::number(last));
    }
    for (int offset = 0; offset < values.size(); ++offset) {
        QLineEdit& target = *controls_.Text[box - 1 + offset];
        // Replacing the selection keeps what was there one undo away.
        target.selectAll();
        target.insert(values[offset]);
    }
    const QString pasted = QString("已粘贴 %1 个数据").arg(values.size());
    announcer_.announce(range ? pasted : pasted + QString("，测量次数 n = %1").arg(state_.n));
}

int SeriesPaste::shownBoxCount() const {
    return static_cast<int>(std::ranges::count_if(
        controls_.Text, [](const QLineEdit* box) { return !box->isHidden(); }));
}

} // namespace tavrello
