// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/analysis.h"
#include "window/analysis/series_plot.h"
#include "window/plotting/axis_ticks.h"

#include <QImage>
#include <QTest>
#include <charconv>
#include <cmath>
#include <limits>
#include <set>

using namespace tavrello;

namespace {

const double infinity = std::numeric_limits<double>::infinity();

// "+1.5×10⁻⁷" as "1.5e-7", which from_chars reads.
double number(std::string text) {
    static const std::pair<std::string, std::string> marks[] = {
        {"×10", "e"}, {"⁻", "-"}, {"⁰", "0"}, {"¹", "1"}, {"²", "2"}, {"³", "3"},
        {"⁴", "4"},   {"⁵", "5"}, {"⁶", "6"}, {"⁷", "7"}, {"⁸", "8"}, {"⁹", "9"}};
    for (const auto& [mark, plain] : marks) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
            text.replace(at, mark.size(), plain);
        }
    }
    const std::size_t from = text.starts_with('+') ? 1 : 0;
    double value = std::numeric_limits<double>::quiet_NaN();
    std::from_chars(text.data() + from, text.data() + text.size(), value);
    return value;
}

// The label times the shared power of ten, plus the shared offset.
double readBack(const std::string& label, const std::string& shared) {
    std::string scaled = label;
    double offset = 0;
    for (std::size_t from = 0; from < shared.size();) {
        const std::size_t end = std::min(shared.find(' ', from), shared.size());
        const std::string part = shared.substr(from, end - from);
        part.starts_with("×10") ? void(scaled += part) : void(offset = number(part));
        from = end + 1;
    }
    return number(scaled) + offset;
}

double ulp(double value) {
    return std::nextafter(std::abs(value), infinity) - std::abs(value);
}

} // namespace

class PlotAxisTest : public QObject {
    Q_OBJECT

  private slots:
    void ticksReadBackAtAnyMagnitudeAndSpread_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("whole");
        const double ulp8 = ulp(1e8);
        const struct {
            const char* name;
            double low;
            double high;
            bool whole;
        } ranges[] = {
            {"one ulp apart at 10⁸", 1e8, 1e8 + ulp8, false},
            {"twenty ulps apart at 10⁸", 1e8, 1e8 + 20 * ulp8, false},
            {"ulps apart at 10⁻¹⁰⁰", 1e-100, std::nextafter(1e-100, 1.0), false},
            {"nine digits", 10000000.1, 10000000.4, false},
            {"nine digits below 0", -10000000.4, -10000000.1, false},
            {"across a power of ten", 9999999.8, 10000000.1, false},
            {"a huge outlier", 10.02, 9.9e37, false},
            {"near 10⁻¹⁰⁰", 1e-100, 1.0000004e-100, false},
            {"near 10¹⁰⁰", 1e100, 1.0000004e100, false},
            {"from -10¹⁰⁰ to 10¹⁰⁰", -1e100, 1e100, false},
            {"the widest taken", -9e299, 9e299, false},
            {"equal", 120.4, 120.4, false},
            {"all 0", 0, 0, false},
            {"equal and tiny", -1e-100, -1e-100, false},
            {"around 0", -0.003, 0.002, false},
            {"a plain series", 120.30, 120.43, false},
            {"two boxes", 0.5, 2.5, true},
            {"100000 boxes", 0.5, 100000.5, true},
            {"equal counts", 3, 3, true},
        };
        for (const auto& range : ranges) {
            QTest::newRow(range.name) << range.low << range.high << range.whole;
        }
    }

    // Finite, strictly increasing ticks within the axis, 2 to about mostTicks of them, labels
    // that tell them apart and read back as the ticks, at whatever number of ticks is wished.
    void ticksReadBackAtAnyMagnitudeAndSpread() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(bool, whole);
        for (const int most : {2, 3, 7, 12}) {
            const Axis axis =
                axisFor(low, high, {.margin = 0.05, .mostTicks = most, .whole = whole});
            QVERIFY(axis.low <= low && high <= axis.high && axis.low < axis.high);
            QVERIFY(std::isfinite(axis.low) && std::isfinite(axis.high));
            QCOMPARE(axis.labels.size(), axis.ticks.size());
            QVERIFY(axis.ticks.size() >= 2);
            QVERIFY(axis.ticks.size() <= static_cast<std::size_t>(most >= 5 ? most : 3 * most));
            const std::set<std::string> distinct(axis.labels.begin(), axis.labels.end());
            QCOMPARE(distinct.size(), axis.labels.size());
            double previous = -infinity;
            for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
                const double tick = axis.ticks[i];
                QVERIFY(std::isfinite(tick) && tick > previous);
                QVERIFY(axis.low <= tick && tick <= axis.high);
                QVERIFY(!whole || tick == std::round(tick));
                const double read = readBack(axis.labels[i], axis.shared);
                QVERIFY2(std::abs(read - tick) <= 2 * ulp(tick),
                         (axis.labels[i] + " " + axis.shared).c_str());
                previous = tick;
            }
        }
    }

    // Values a unit in the last place apart once made the ticks loop without end.
    void plotsValuesOneUnitInTheLastPlaceApart() {
        std::vector<Reading> series;
        for (int box = 1; box <= 20; ++box) {
            series.emplace_back(box, box == 20 ? 100000000.00000001 : 100000000);
        }
        QImage blank(640, 400, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QImage image = blank;
        QPainter painter(&image);
        paintSeriesPlot(painter, QRectF(image.rect()), analyse(series));
        painter.end();
        QVERIFY(image != blank);
    }
};

QTEST_MAIN(PlotAxisTest)
#include "plot_axis_test.moc"
