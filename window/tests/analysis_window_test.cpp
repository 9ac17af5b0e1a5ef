// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/report.h"
#include "window/analysis/analysis_report.h"
#include "window/analysis/analysis_window.h"
#include "window/appearance.h"
#include "window/tests/window_driver.h"

#include <QAccessible>
#include <QComboBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
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
    return control<Control>(window, name);
}

AnalysisWindow& openedOn(WindowDriver& window, const QString& series) {
    window.pickCount(QString::number(series.split(' ').size()));
    window.paste(1, series);
    QTest::keySequence(&window.box(2), QKeySequence("Ctrl+Shift+A"));
    return *window.form().findChild<AnalysisWindow*>();
}

QAccessibleInterface& spoken(QObject& object) {
    return *QAccessible::queryAccessibleInterface(&object);
}

// What labels the control for a screen reader.
QString caption(QWidget& control) {
    const auto labels = spoken(control).relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

QString wholeText(QAccessibleInterface& text) {
    return text.textInterface()->text(0, text.textInterface()->characterCount());
}

} // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
        QCoreApplication::setOrganizationName("Tavrello");
    }
    void init() { QSettings().clear(); }

    // Each edit, pick or change of a setting shows at once, and nothing stale stays: without a
    // series every output is empty and every button but 关闭 disabled.
    void followsEveryChangeOfTheSeries() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        QVERIFY(analysis.isVisible());
        auto& table = part<QTableWidget>(analysis, "table");
        auto& result = part<QLineEdit>(analysis, "result");
        auto& problem = part<QLabel>(analysis, "problem");
        auto& steps = part<QPlainTextEdit>(analysis, "steps");
        auto& writeBack = part<QPushButton>(analysis, "writeBack");
        QCOMPARE(result.text(), orificesResult);
        QCOMPARE(QStringList({table.item(6, 5)->text(), table.item(6, 4)->text()}),
                 QStringList({"第1轮剔除", "第1轮剔除"}));
        QVERIFY(table.item(6, 5)->toolTip().startsWith("统计量 3.1815，临界值 2.40904"));
        QVERIFY(table.item(6, 1)->font().bold() && !table.item(5, 1)->font().bold());
        // The steps: the user's action, then what the window shows (its problem, else its result).
        const QList<std::pair<std::function<void()>, QString>> actions = {
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
            {[&] { part<QLineEdit>(analysis, "instrumentError").setText("-1"); }, "仪器允差 Δ_仪"},
            {[&] { part<QLineEdit>(analysis, "instrumentError").clear(); }, orificesResult},
            {[&] { window.pickCount("3"); },
             "x = (120.417 ± 0.038), P = 95 %, k = 4.30, ν = 2, E = 0.032 %"},
            {[&] { part<QComboBox>(analysis, "criterion").setCurrentIndex(0); }, "x = (120.417"}};
        for (const auto& [action, shown] : actions) {
            action();
            const bool none = problem.isVisible();
            QVERIFY2((none ? problem.text() : result.text()).startsWith(shown),
                     qPrintable(problem.text() + result.text()));
            const QStringList outputs = {
                result.text(), steps.toPlainText(),
                spoken(part<QWidget>(analysis, "plot")).text(QAccessible::Description)};
            QCOMPARE(outputs.count(""), none ? 3 : 0);
            QCOMPARE(table.rowCount() == 0, none);
            QCOMPARE(part<QPushButton>(analysis, "copy").isEnabled(), !none);
        }
        QVERIFY(!writeBack.isEnabled());
        // The setting is kept for the next window.
        WindowDriver again;
        QCOMPARE(openedOn(again, "1 2 3").findChild<QComboBox*>("criterion")->currentIndex(), 0);
    }

    // The kept values go back into boxes 1 to 14 in their order, n becomes 14 through the
    // selector, the last box is emptied, and each box undoes its own change.
    void writesTheKeptValuesBack() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        QTRY_VERIFY(window.announcements().last().endsWith("剔除并填回可用"));
        QTest::mouseClick(&part<QPushButton>(analysis, "writeBack"), Qt::LeftButton);
        QStringList kept = orifices.split(' ');
        kept.removeAt(6);
        QCOMPARE(window.boxTexts().mid(0, 15), kept + QStringList{""});
        QCOMPARE(QList<int>({window.form().state().n, window.shownCount()}), QList<int>({14, 14}));
        QCOMPARE(part<QLineEdit>(analysis, "result").text(), orificesResult);
        QVERIFY(!part<QPushButton>(analysis, "writeBack").isEnabled());
        QTRY_COMPARE(window.announcements().last(),
                     "已剔除 1 个值，保留的 14 个填回第 1 至 14 个输入框；测量结果：" +
                         orificesResult + "；剔除并填回不可用");
        for (const int box : {7, 15}) {
            QTest::keySequence(&window.box(box), QKeySequence::Undo);
        }
        QCOMPARE(QStringList({window.box(7).text(), window.box(15).text()}),
                 QStringList({"120.30", "120.40"}));
    }

    // A stored setting the window cannot use gives way to its default: 格拉布斯准则, 0.05, 95 %,
    // 2 digits.
    void unusableStoredSettingsFallBackToDefaults() {
        QSettings stored;
        for (const char* key : {"criterion", "alpha", "confidence", "digits"}) {
            stored.setValue(QString("analysis/") + key, "\x01not a setting");
        }
        stored.sync();
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        QStringList shown;
        for (const char* name : {"criterion", "alpha", "confidence", "digits"}) {
            shown.append(part<QComboBox>(analysis, name).currentText());
        }
        QCOMPARE(shown, QStringList({"格拉布斯准则", "0.05", "95 %", "2"}));
        QCOMPARE(part<QLineEdit>(analysis, "result").text(), orificesResult);
    }

    // 物理量符号 and 单位 name the result, and are kept.
    void symbolAndUnitNameTheResult() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        part<QLineEdit>(analysis, "symbol").setText("d");
        part<QLineEdit>(analysis, "unit").setText("mm");
        QCOMPARE(part<QLineEdit>(analysis, "result").text(),
                 "d = (120.4114 ± 0.0093) mm, P = 95 %, k = 2.16, ν = 13, E = 0.0077 %");
        QCOMPARE(QSettings().value("analysis/unit").toString(), "mm");
    }

    // The course conventions: a fixed k states no P and ν, and U is rounded only up where the
    // course says so (0.008608 → 0.0087, where half to even gives 0.0086); both are kept.
    void coverageAndRoundingReachTheResultLine() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        const QList<std::tuple<int, int, QString>> picks = {
            {2, 0, "x = (120.4114 ± 0.0086), k = 2, E = 0.0071 %"},
            {2, 1, "x = (120.4114 ± 0.0087), k = 2, E = 0.0071 %"},
            {1, 1, "x = (120.4114 ± 0.0044), k = 1, E = 0.0036 %"},
            {0, 0, orificesResult},
        };
        for (const auto& [coverage, rounding, line] : picks) {
            part<QComboBox>(analysis, "coverage").setCurrentIndex(coverage);
            part<QComboBox>(analysis, "rounding").setCurrentIndex(rounding);
            QCOMPARE(part<QLineEdit>(analysis, "result").text(), line);
        }
        part<QComboBox>(analysis, "rounding").setCurrentIndex(1);
        WindowDriver again;
        QCOMPARE(part<QComboBox>(openedOn(again, orifices), "rounding").currentText(), "只进不舍");
    }

    // What a screen reader reads: each setting's value under its caption, the result line under
    // its caption, the worked steps as text, and in the table whose removals count.
    void readsToAScreenReader() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        const QList<std::pair<const char*, QString>> settings = {{"criterion", "判别准则"},
                                                                 {"alpha", "显著性水平 α"},
                                                                 {"confidence", "置信概率 P"},
                                                                 {"digits", "不确定度有效位数"}};
        for (const auto& [name, title] : settings) {
            auto& choice = part<QComboBox>(analysis, name);
            const int before = choice.currentIndex();
            choice.setCurrentIndex((before + 1) % choice.count());
            // Orca reads a combo box's value from its text field only.
            QCOMPARE(choice.lineEdit() == nullptr
                         ? QString()
                         : spoken(*choice.lineEdit()).text(QAccessible::Value),
                     choice.currentText());
            QCOMPARE(caption(choice), title);
            choice.setCurrentIndex(before);
        }
        auto& result = part<QLineEdit>(analysis, "result");
        QCOMPARE(QList<QString>({caption(result), wholeText(spoken(result))}),
                 QList<QString>({"测量结果", orificesResult}));
        auto& steps = part<QPlainTextEdit>(analysis, "steps");
        QCOMPARE(caption(steps), "计算过程");
        QVERIFY(wholeText(spoken(steps)).contains("G = |v|/s = 3.1815 ≥ G(15, 0.05) = 2.40904"));
        for (QWidget* stop : {static_cast<QWidget*>(&result), static_cast<QWidget*>(&steps)}) {
            QVERIFY(stop->focusPolicy() & Qt::TabFocus);
        }
        // The header cells as the table's own children (after its corner), which the table keeps:
        // the ones a cell hands out are made afresh on each call.
        auto& table = spoken(part<QTableWidget>(analysis, "table"));
        QCOMPARE(table.child(1 + 5)->text(QAccessible::Name), "格拉布斯准则（所选）");
        QCOMPARE(table.child(1 + 1)->text(QAccessible::Name), "x i");
        QCOMPARE(table.tableInterface()->cellAt(6, 5)->text(QAccessible::Name),
                 "第1轮剔除，格拉布斯准则（所选）");
        QCOMPARE(table.tableInterface()->cellAt(6, 0)->text(QAccessible::Name),
                 "7，已按格拉布斯准则剔除，不计入结果");
    }

    // A line edit's text reaches a screen reader as one run of attributes, to its last character.
    void boxesReadToTheirLastCharacter() {
        WindowDriver window;
        window.type(1, "10.2");
        QAccessibleTextInterface& text = *spoken(window.box(1)).textInterface();
        int start = -1;
        int end = -1;
        text.attributes(1, &start, &end);
        QCOMPARE(QList<int>({start, end}), QList<int>({0, 4}));
    }

    // Tab leaves the table for the worked steps; Escape closes the window.
    void keysMoveOnAndClose() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        auto& table = part<QTableWidget>(analysis, "table");
        table.setFocus();
        table.setCurrentCell(0, 0);
        QTest::keyClick(&table, Qt::Key_Tab);
        QCOMPARE(analysis.focusWidget()->objectName(), "steps");
        QTest::keyClick(analysis.focusWidget(), Qt::Key_Escape);
        QVERIFY(!analysis.isVisible());
    }

    // Told: a paste, the result on opening, and the result once a run of changes settles, with
    // 剔除并填回 becoming available or not.
    void tellsWhatChanged() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        QCOMPARE(window.announcements().first(), "已粘贴 15 个数据，测量次数 n = 15");
        const QString opened = "测量结果：" + orificesResult + "；剔除并填回可用";
        QTRY_COMPARE(window.announcements().last(), opened);
        const qsizetype told = window.announcements().size();
        auto& criterion = part<QComboBox>(analysis, "criterion");
        criterion.setFocus();
        // Down to 罗曼诺夫斯基准则 and back up to 格拉布斯准则, then to 拉依达准则.
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}) {
            QTest::keyClick(&criterion, key);
        }
        QTRY_COMPARE(window.announcements().size(), told + 1);
        QCOMPARE(window.announcements().last(),
                 "测量结果：" + part<QLineEdit>(analysis, "result").text());
        part<QLineEdit>(analysis, "instrumentError").setText("x");
        QTRY_COMPARE(window.announcements().last(),
                     "仪器允差 Δ_仪“x”不是一个数。；剔除并填回不可用");
    }

    // On a small screen the window lies within it, beside the main window's input column, with
    // its result line and buttons in sight.
    void fitsTheScreen() {
        WindowDriver window;
        AnalysisWindow& analysis = openedOn(window, orifices);
        QVERIFY(QTest::qWaitForWindowExposed(&analysis));
        const QRect screen = analysis.screen()->availableGeometry();
        QVERIFY2(screen.contains(analysis.frameGeometry()),
                 qPrintable(QString("%1 %2").arg(QVariant(screen).toString(),
                                                 QVariant(analysis.frameGeometry()).toString())));
        for (int box = 1; box <= 15; ++box) {
            const QRect place(window.box(box).mapToGlobal(QPoint(0, 0)), window.box(box).size());
            QVERIFY(!analysis.frameGeometry().intersects(place));
        }
        QList<QWidget*> seen = {&part<QWidget>(analysis, "result")};
        for (QPushButton* button : analysis.findChildren<QPushButton*>()) {
            seen.append(button);
        }
        for (QWidget* widget : seen) {
            const QRect place(widget->mapTo(&analysis, QPoint(0, 0)), widget->size());
            QVERIFY2(widget->isVisible() && analysis.rect().contains(place) &&
                         widget->visibleRegion().boundingRect() == widget->rect(),
                     qPrintable(widget->objectName()));
        }
    }

    // The box menus, the result labels' menus and the window's own menu open the analysis; the
    // window's menu also opens the indirect measurement, copies the results and tells what the
    // program is.
    void menusOfferTheAnalysis() {
        WindowDriver window;
        QVERIFY(menuTexts(window.box(1)).contains("数据分析…"));
        QVERIFY(chooseFromMenu(window.label("Label20")).contains("数据分析…"));
        QCOMPARE(menuTexts(window.form()), QStringList({"数据分析…", "间接测量…", "直线拟合…",
                                                        "复制全部结果", "", "关于 Tavrello"}));
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
