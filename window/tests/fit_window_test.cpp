// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fitting/fit_window.h"
#include "window/tests/window_driver.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrello;

namespace {

// A spring stretched by eight loads; its slope worked out by hand: b = 2.01774 N/m,
// s_b = 0.0049891, t(0.975, 6) = 2.4469.
const QString spring = "x (m)\tF (N)\n0.010\t0.0213\n0.020\t0.0417\n0.030\t0.0618\n0.040\t0.0821\n"
                       "0.050\t0.1027\n0.060\t0.1218\n0.070\t0.1426\n0.080\t0.1627\n";
const QString springSlope = "b = (2.018 ± 0.012) N/m, P = 95 %, k = 2.45, ν = 6, E = 0.61 %";

template <typename Control> Control& part(FitWindow& window, const char* name) {
    return control<Control>(window, name);
}

FitWindow& opened(WindowDriver& window) {
    QTest::keySequence(&window.form(), QKeySequence("Ctrl+Shift+L"));
    return *window.form().findChild<FitWindow*>();
}

// Through the clipboard into the data table at its first cell, as a user pastes.
void paste(FitWindow& window, const QString& text, int row = 0) {
    QGuiApplication::clipboard()->setText(text);
    auto& table = part<QTableWidget>(window, "data");
    table.setFocus();
    table.setCurrentCell(row, 0);
    QTest::keySequence(&table, QKeySequence::Paste);
}

// The result lines shown, in order.
QStringList resultLines(FitWindow& window) {
    QStringList lines;
    for (const char* name : {"result", "result2", "result3"}) {
        auto* line = window.findChild<QLineEdit*>(name);
        if (line != nullptr && line->isVisible()) {
            lines.append(line->text());
        }
    }
    return lines;
}

QString lastTold(const WindowDriver& window) {
    return window.announcements().isEmpty() ? QString() : window.announcements().last();
}

QString caption(QWidget& control) {
    const auto labels =
        QAccessible::queryAccessibleInterface(&control)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

QStringList column(QTableWidget& table, int column) {
    QStringList cells;
    for (int row = 0; row < table.rowCount(); ++row) {
        const QTableWidgetItem* cell = table.item(row, column);
        if (cell != nullptr && !cell->text().isEmpty()) {
            cells.append(cell->text());
        }
    }
    return cells;
}

} // namespace

class FitWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
        QCoreApplication::setOrganizationName("Tavrello");
    }
    void init() { QSettings().clear(); }

    // Two columns with their header, pasted: the quantities named, the lines read whole under
    // their captions and told once settled, the window within the screen.
    void pastedColumnsGiveTheSlopeLine() {
        WindowDriver window;
        FitWindow& fit = opened(window);
        QVERIFY(QTest::qWaitForWindowExposed(&fit));
        paste(fit, spring);
        QCOMPARE(resultLines(fit).value(0), springSlope);
        QCOMPARE(resultLines(fit).value(2), "r = 0.999982");
        QCOMPARE(QStringList(
                     {part<QLineEdit>(fit, "yName").text(), part<QLineEdit>(fit, "yUnit").text()}),
                 QStringList({"F", "N"}));
        QTRY_COMPARE(lastTold(window), "已粘贴 8 个数据点；斜率：" + springSlope);
        QStringList captions;
        for (const char* name : {"result", "result2", "result3", "yUnit", "commonU", "method"}) {
            captions.append(caption(part<QWidget>(fit, name)));
        }
        QCOMPARE(captions,
                 QStringList({"斜率", "截距", "相关系数", "y 的单位", "统一的 u(y)", "拟合方法"}));
        QCOMPARE(QAccessible::queryAccessibleInterface(&part<QWidget>(fit, "data"))
                     ->text(QAccessible::Name),
                 "数据点");
        QVERIFY(fit.screen()->availableGeometry().contains(fit.frameGeometry()));
        for (QPushButton* widget : fit.findChildren<QPushButton*>()) {
            QVERIFY2(widget->isHidden() || widget->visibleRegion().boundingRect() == widget->rect(),
                     qPrintable(widget->text()));
        }

        // Typed: Enter moves down and a row is added beyond the last; a point that is not a
        // number is named, and the lines come back when it is put right.
        auto& table = part<QTableWidget>(fit, "data");
        table.setCurrentCell(7, 0);
        QTest::keyClick(&table, Qt::Key_Return);
        QCOMPARE(QList<int>({table.currentRow(), table.rowCount()}), QList<int>({8, 9}));
        QTest::keyClicks(&table, "0.09");
        QTest::keyClick(table.focusWidget(), Qt::Key_Return);
        QCOMPARE(part<QLabel>(fit, "problem").text(), "第 9 个点的 y 是空的。");
        QVERIFY(resultLines(fit).value(0).isEmpty());
        table.setCurrentCell(8, 0);
        QTest::keyClick(&table, Qt::Key_Delete);
        QCOMPARE(resultLines(fit).value(0), springSlope);
    }

    // Saved and opened again: the same values as typed, the same lines.
    void savesAndOpensTheData() {
        WindowDriver window;
        FitWindow& fit = opened(window);
        paste(fit, spring);
        const QStringList lines = resultLines(fit);
        const QString file = settings_.filePath("spring.txt");
        QCOMPARE(fit.saveFile(file), QString());
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()), spring);

        WindowDriver again;
        FitWindow& reopened = opened(again);
        QCOMPARE(reopened.openFile(file), QString());
        QCOMPARE(resultLines(reopened), lines);
        QCOMPARE(column(part<QTableWidget>(reopened, "data"), 0).first(), "0.010");
        QVERIFY(reopened.openFile(settings_.filePath("none.txt")).startsWith("无法读取文件"));
    }

    // 逐差法 with nine points refuses, offering to drop the last; dropped, the slope is that of
    // δ̄/(m·Δx) with m = 4, worked out by hand, and each first point of a pair shows its δ_i.
    void successiveDifferencesOfAnOddCountOfferToDropTheLast() {
        WindowDriver window;
        FitWindow& fit = opened(window);
        paste(fit, "m (g)\tL (cm)\n0\t10.00\n50\t11.52\n100\t13.01\n150\t14.49\n200\t16.02\n"
                   "250\t17.50\n300\t19.01\n350\t20.52\n400\t22.00\n");
        auto& method = part<QComboBox>(fit, "method");
        method.setCurrentIndex(method.findText("逐差法"));
        QVERIFY(part<QLabel>(fit, "problem").text().contains("去掉最后一个点"));
        auto& remedy = part<QPushButton>(fit, "remedy");
        QCOMPARE(remedy.text(), "去掉第 9 个点");
        QTRY_VERIFY(lastTold(window).endsWith("去掉第 9 个点可用"));
        QTest::mouseClick(&remedy, Qt::LeftButton);
        QCOMPARE(resultLines(fit).value(0),
                 "b = (0.03004 ± 0.00018) cm/g, P = 95 %, k = 3.18, ν = 3, E = 0.59 %");
        QVERIFY(remedy.isHidden());
        QCOMPARE(column(part<QTableWidget>(fit, "data"), 1).size(), 8);
        auto& table = part<QTableWidget>(fit, "table");
        QCOMPARE(column(table, table.columnCount() - 1),
                 QStringList({"6.02", "5.98", "6.00", "6.03"}));
        QTRY_VERIFY(lastTold(window).startsWith("已去掉第 9 个点（x = 400，y = 22.00）"));
    }

    // The command line reads the file the window saves, with the window's settings as options,
    // and states the same lines.
    void windowAndCommandLineStateTheSameLines() {
        WindowDriver window;
        FitWindow& fit = opened(window);
        paste(fit, "t (s)\tI (mA)\tu\n0\t100.3\t0.8\n10\t66.9\t0.6\n20\t45.1\t0.5\n30\t30.2\t0.4\n"
                   "40\t20.3\t0.3\n50\t13.4\t0.3\n60\t9.1\t0.2\n");
        const std::pair<const char*, QString> settings[] = {
            {"yTransform", "ln y"}, {"confidence", "99 %"}, {"digits", "1"}, {"coverage", "k = 3"}};
        for (const auto& [name, entry] : settings) {
            auto& box = part<QComboBox>(fit, name);
            box.setCurrentIndex(box.findText(entry));
        }
        part<QLineEdit>(fit, "instrumentError").setText("0.2");
        const QStringList lines = resultLines(fit);
        QCOMPARE(lines.size(), 3);
        const QString file = settings_.filePath("decay.txt");
        QCOMPARE(fit.saveFile(file), QString());
        QProcess program;
        program.start(TAVRELLO_PROGRAM,
                      {"--fit", file, "--transform-y", "ln", "--confidence", "99", "--digits", "1",
                       "--coverage", "3", "--instrument-error", "0.2"});
        QVERIFY(program.waitForFinished(30000));
        const QString report = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(report.contains("斜率：" + lines[0] + "\n") &&
                     report.contains("截距：" + lines[1] + "\n") &&
                     report.contains("相关系数：" + lines[2] + "\n"),
                 qPrintable(lines.join('\n') + "\n≠\n" + report));
    }

    // A stored setting the window cannot use gives way to its default.
    void unusableStoredSettingsFallBackToDefaults() {
        QSettings stored;
        const QStringList names = {"method",   "xTransform", "yTransform", "confidence",
                                   "coverage", "rounding",   "digits"};
        for (const QString& name : names) {
            stored.setValue("fit/" + name, "\x01not a setting");
        }
        stored.sync();
        WindowDriver window;
        FitWindow& fit = opened(window);
        QStringList shown;
        for (const QString& name : names) {
            shown.append(part<QComboBox>(fit, qPrintable(name)).currentText());
        }
        QCOMPARE(shown, QStringList({"最小二乘法", "不变换", "不变换", "95 %", "t 分布",
                                     "四舍六入五成双", "2"}));
    }

  private:
    QTemporaryDir settings_;
};

QTEST_MAIN(FitWindowTest)
#include "fit_window_test.moc"
