// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/report.h"
#include "window/analysis/analysis_report.h"
#include "window/analysis/analysis_window.h"
#include "window/appearance.h"
#include "window/tests/window_driver.h"

#include <QComboBox>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrello;

namespace {

// Orifice diameters; Grubbs' criterion at 0.05 removes box 7.
const QString orifices =
    "120.42 120.43 120.40 120.42 120.43 120.39 120.30 120.40 120.43 120.41 120.43 120.42 "
    "120.39 120.39 120.40";
const QString orificesResult = "x = (120.4114 ± 0.0093), P = 95 %, k = 2.16, ν = 13, E = 0.0077 %";

template <typename Control> Control& part(AnalysisWindow& window, const char* name) {
    return *window.findChild<Control*>(name);
}

AnalysisWindow& openedOn(WindowDriver& window, const QString& series) {
    window.pickCount(QString::number(series.split(' ').size()));
    window.paste(1, series);
    QTest::keySequence(&window.box(2), QKeySequence("Ctrl+Shift+A"));
    return *window.form().findChild<AnalysisWindow*>();
}

} // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
        QCoreApplication::setOrganizationName("Tavrello");
    }

    // Each edit, pick or change of a setting shows at once, and nothing stale stays.
    void followsEveryChangeOfTheSeries() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        QVERIFY(analysis.isVisible());
        auto& table = part<QTableWidget>(analysis, "table");
        auto& result = part<QLabel>(analysis, "result");
        auto& problem = part<QLabel>(analysis, "problem");
        QCOMPARE(result.text(), orificesResult);
        QCOMPARE(QStringList({table.item(6, 5)->text(), table.item(6, 4)->text()}),
                 QStringList({"第1轮剔除", "第1轮剔除"}));
        QVERIFY(table.item(6, 5)->toolTip().startsWith("统计量 3.1815，临界值 2.40904"));
        QVERIFY(table.item(6, 1)->font().bold() && !table.item(5, 1)->font().bold());
        // The steps: the user's action, then what the window shows (its problem, else its result).
        const QList<std::pair<std::function<void()>, QString>> steps = {
            {[&] { window.box(4).clear(); }, "还不能分析：第 4 个输入框是空的。"},
            {[&] { window.type(4, "x"); }, "还不能分析：第 4 个输入框中不是一个数。"},
            {[&] { window.type(4, "\b1e200"); }, "还不能分析：第 4 个输入框中的数超出了分析的范围"},
            {[&] { window.chooseMethod(3); }, "极差法"},
            {[&] { window.chooseMethod(1); }, "还不能分析"},
            {[&] {
                 window.box(4).clear();
                 window.type(4, "120.42");
             },
             orificesResult},
            {[&] { part<QLineEdit>(analysis, "instrumentError").setText("0.1"); },
             "x = (120.41 ± 0.11), P = 95 %, k = 1.96, ν = 425627, E = 0.094 %"},
            {[&] { part<QLineEdit>(analysis, "instrumentError").setText("-1"); }, "仪器允差 Δ"},
            {[&] { part<QLineEdit>(analysis, "instrumentError").clear(); }, orificesResult},
            {[&] { window.pickCount("3"); },
             "x = (120.417 ± 0.038), P = 95 %, k = 4.30, ν = 2, E = 0.032 %"},
            {[&] { part<QComboBox>(analysis, "criterion").setCurrentIndex(0); }, "x = (120.417"}};
        for (const auto& [action, shown] : steps) {
            action();
            QVERIFY2((problem.isVisible() ? problem.text() : result.text()).startsWith(shown),
                     qPrintable(problem.text() + result.text()));
            QCOMPARE(table.rowCount() == 0, problem.isVisible());
        }
        // The setting is kept for the next window.
        WindowDriver again;
        QCOMPARE(openedOn(again, "1 2 3").findChild<QComboBox*>("criterion")->currentIndex(), 0);
        part<QComboBox>(analysis, "criterion").setCurrentIndex(1);
    }

    // The kept values go back into boxes 1 to 14 in their order, n becomes 14 through the
    // selector, the last box is emptied, and each box undoes its own change.
    void writesTheKeptValuesBack() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        QTest::mouseClick(&part<QPushButton>(analysis, "writeBack"), Qt::LeftButton);
        QStringList kept = orifices.split(' ');
        kept.removeAt(6);
        QCOMPARE(window.boxTexts().mid(0, 15), kept + QStringList{""});
        QCOMPARE(QList<int>({window.form().state().n, window.shownCount()}), QList<int>({14, 14}));
        QCOMPARE(part<QLabel>(analysis, "result").text(),
                 "x = (120.4114 ± 0.0093), P = 95 %, k = 2.16, ν = 13, E = 0.0077 %");
        QVERIFY(!part<QPushButton>(analysis, "writeBack").isEnabled());
        for (const int box : {7, 15}) {
            QTest::keySequence(&window.box(box), QKeySequence::Undo);
        }
        QCOMPARE(QStringList({window.box(7).text(), window.box(15).text()}),
                 QStringList({"120.30", "120.40"}));
    }

    // The box menus, the result labels' menus and the window's own menu open the analysis; the
    // window's menu also copies the results and tells what the program is.
    void menusOfferTheAnalysis() {
        WindowDriver window;
        QVERIFY(menuTexts(window.box(1)).contains("数据分析…"));
        QVERIFY(chooseFromMenu(window.label("Label20")).contains("数据分析…"));
        QCOMPARE(menuTexts(window.form()),
                 QStringList({"数据分析…", "复制全部结果", "", "关于 Tavrello"}));
        chooseFromMenu(window.form(), "关于");
        auto* about = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(about != nullptr && about->text().contains("Tavrello " TAVRELLO_VERSION) &&
                about->text().contains("GNU") && about->text().contains("Arphic"));
        about->close();
        chooseFromMenu(window.form(), "数据分析");
        QVERIFY(window.form().findChild<AnalysisWindow*>()->isVisible());
    }

    // Every character of the report's words is in the PDF's text, in the window's faces.
    void pdfHoldsEveryCharacterOfTheReport() {
        WindowDriver window;
        const Analysis& analysis = *openedOn(window, orifices).analysis();
        const QString file = settings_.filePath("report.pdf");
        QCOMPARE(writeAnalysisPdf(analysis, file, analysisFont()), QString());
        QProcess text;
        text.start("pdftotext", {"-enc", "UTF-8", file, "-"});
        if (!text.waitForFinished(20000)) {
            QSKIP("pdftotext is not installed");
        }
        const QString extracted = QString::fromUtf8(text.readAllStandardOutput());
        QString missing;
        for (const QChar character : fromUtf8(textReport(analysis))) {
            if (!character.isSpace() && !extracted.contains(character) &&
                !missing.contains(character)) {
                missing += character;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable("not in the PDF's text: " + missing));
        QVERIFY(extracted.contains("测量列数据处理报告") && extracted.contains("120.30"));
    }

  private:
    QTemporaryDir settings_;
};

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
