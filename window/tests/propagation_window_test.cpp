// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/propagate.h"
#include "window/analysis/analysis_window.h"
#include "window/propagation/formula_box.h"
#include "window/propagation/propagation_window.h"
#include "window/reports/report_files.h"
#include "window/tests/window_driver.h"

#include <QAccessible>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrello;

namespace {

// The density of a cylinder, ρ = 4m/(πd²h): the mass weighed once, the diameter and the height
// measured six and five times. The line is the one the course's worked solution prints.
const QString rhoLine = "ρ = (4.1303 ± 0.0034) g/cm³, P = 95 %, k = 1.98, ν = 113, E = 0.082 %";

template <typename Control> Control& part(QWidget& window, const QString& name) {
    return control<Control>(window, name);
}

PropagationWindow& opened(WindowDriver& window) {
    QTest::keySequence(&window.form(), QKeySequence("Ctrl+Shift+I"));
    return *window.form().findChild<PropagationWindow*>();
}

void typeInto(QWidget& window, const QString& field, const QString& text) {
    auto& edit = part<QLineEdit>(window, field);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    // Key by key, as typed; QTest spells only Latin-1 by itself.
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    }
}

// As a user fills the window: the formula, then each row the formula made.
void typeRho(PropagationWindow& window, const QString& draws = "10000") {
    auto& count = part<QComboBox>(window, "draws");
    count.setCurrentIndex(count.findData(draws));
    typeInto(window, "formula", "ρ = 4*m/(pi*d^2*h)");
    typeInto(window, "unit", "g/cm³");
    part<QComboBox>(window, "kind:m").setCurrentIndex(1);
    const QList<std::pair<QString, QString>> fields = {
        {"values:m", "52.33"},    {"allowance:m", "0.02"},
        {"unit:m", "g"},          {"values:d", "2.0012 2.0015 2.0018 2.0014 2.0016 2.0013"},
        {"unit:d", "cm"},         {"values:h", "4.027 4.025 4.029 4.026 4.028"},
        {"allowance:h", "0.002"}, {"unit:h", "cm"},
    };
    for (const auto& [field, text] : fields) {
        typeInto(window, field, text);
    }
}

QString resultLine(QWidget& window) {
    return part<QLineEdit>(window, "result").text();
}

// The result line the command line gives for the file.
QString commandLineResult(const QString& file) {
    QProcess program;
    program.start(TAVRELLO_PROGRAM, {"--propagate", file, "--format", "json"});
    if (!program.waitForFinished(60000) || program.exitCode() != 0) {
        qFatal("the command line did not work the task");
    }
    const QByteArray json = program.readAllStandardOutput();
    const qsizetype at = json.indexOf("\"text\":\"") + 8;
    return QString::fromUtf8(json.mid(at, json.indexOf('"', at) - at));
}

} // namespace

class PropagationWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        QCoreApplication::setOrganizationName("Tavrello");
    }
    void init() { QSettings().clear(); }

    // Ctrl+Shift+I opens the window; the rows follow the formula; the result line follows the
    // typing; saved and opened again the task gives the same line, and so does the command line.
    void worksTheTaskAndKeepsIt() {
        WindowDriver window;
        PropagationWindow& propagation = opened(window);
        QVERIFY(propagation.isVisible());
        QCOMPARE(propagation.focusWidget(), &part<QWidget>(propagation, "formula"));
        typeRho(propagation);
        QCOMPARE(part<QLineEdit>(propagation, "symbol").text(), "ρ");
        QCOMPARE(resultLine(propagation), rhoLine);
        QVERIFY(part<QLabel>(propagation, "outcome:d").text().contains("x̄ = 2.001467"));
        QCOMPARE(part<QLabel>(propagation, "model").accessibleName(), "测量模型 ρ = 4m/(πd²h)");
        // A name the formula no longer uses keeps its row, noted, until it is removed.
        typeInto(propagation, "formula", "ρ = 4*m/(pi*d^2*H)");
        QVERIFY(part<QLabel>(propagation, "outcome:h").text().contains("不计入"));
        typeInto(propagation, "formula", "ρ = 4*m/(pi*d^2*h)");
        QCOMPARE(resultLine(propagation), rhoLine);

        const QString file = folder_.filePath("ρ.txt");
        QCOMPARE(propagation.saveTask(file), QString());
        QCOMPARE(commandLineResult(file), rhoLine);
        WindowDriver again;
        PropagationWindow& reopened = opened(again);
        QCOMPARE(reopened.openTask(file), QString());
        QCOMPARE(resultLine(reopened), rhoLine);
        QCOMPARE(part<QLineEdit>(reopened, "values:d").text(),
                 "2.0012 2.0015 2.0018 2.0014 2.0016 2.0013");
        const QString resaved = folder_.filePath("again.txt");
        QCOMPARE(reopened.saveTask(resaved), QString());
        QFile first(file);
        QFile second(resaved);
        QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), first.readAll());
        // Removed, a row the formula no longer uses is gone.
        typeInto(reopened, "formula", "ρ = 4*m/(pi*d^2*H)");
        QTest::mouseClick(&part<QPushButton>(reopened, "remove:h"), Qt::LeftButton);
        QTRY_VERIFY(reopened.findChild<QLineEdit*>("values:h") == nullptr);
        QVERIFY(reopened.findChild<QLineEdit*>("values:H") != nullptr);
    }

    // A file that is no task says where, and the window keeps what it had; so does a task that
    // cannot be written whole.
    void refusesWhatItCannotKeep() {
        WindowDriver window;
        PropagationWindow& propagation = opened(window);
        typeRho(propagation);
        const QString file = folder_.filePath("bad.txt");
        QFile bad(file);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("模型 y = 2*x\n测量列 x = 1 2 三\n");
        bad.close();
        QVERIFY(propagation.openTask(file).contains("第 2 行第 13 个字符“三”：读数不是一个数。"));
        QCOMPARE(resultLine(propagation), rhoLine);
        typeInto(propagation, "allowance:m", "");
        QVERIFY(propagation.saveTask(file).contains("单次测量 m 缺少仪器允差"));
    }

    // A stored setting the window cannot use gives way to its default.
    void unusableStoredSettingsFallBack() {
        QSettings stored;
        const QStringList keys = {"criterion", "coverage", "rounding", "angle", "draws", "seed"};
        for (const QString& key : keys) {
            stored.setValue("propagation/" + key, "\x01not a setting");
        }
        stored.sync();
        WindowDriver window;
        PropagationWindow& propagation = opened(window);
        QStringList shown;
        for (const QString& key : keys.mid(0, 5)) {
            shown.append(part<QComboBox>(propagation, key).currentText());
        }
        QCOMPARE(shown, QStringList({"格拉布斯准则", "t 分布", "四舍六入五成双", "弧度", "10⁶"}));
        QCOMPARE(part<QLineEdit>(propagation, "seed").text(), QString());
    }

    // The piece a problem names is marked in the formula and named under it; the inputs' rows
    // stay as they were.
    void marksTheFormulasMistake() {
        WindowDriver window;
        PropagationWindow& propagation = opened(window);
        typeRho(propagation);
        const std::tuple<QString, QString, QString> mistakes[] = {
            {"ρ = 4*m/(pi*d^2*h", "(", "第 9 个字符“(”：这个括号没有配对的右括号。"},
            {"ρ = 4*m/(pi*d^^2*h)", "^", "第 15 个字符“^”：“^”前缺少运算对象。"},
            {"ρ = 4m/(pi*d^2*h)", "m", "第 6 个字符“m”：“m”前缺少运算符"},
            {"ρ = 4*m/(pi*d^2*h) +", "+", "第 20 个字符“+”：公式在“+”之后不完整。"},
        };
        auto& formula = part<FormulaBox>(propagation, "formula");
        for (const auto& [typed, piece, problem] : mistakes) {
            typeInto(propagation, "formula", typed);
            QCOMPARE(formula.markedPiece(), piece);
            QVERIFY2(part<QLabel>(propagation, "problem").text().startsWith(problem),
                     qPrintable(part<QLabel>(propagation, "problem").text()));
            QVERIFY(resultLine(propagation).isEmpty());
            QCOMPARE(formula.text(), typed);
        }
        typeInto(propagation, "formula", "ρ = 4*m/(pi*d^2*h)");
        QCOMPARE(formula.markedPiece(), QString());
        QCOMPARE(resultLine(propagation), rhoLine);
    }

    // Monte Carlo runs on a thread of its own: the window follows an edit while it draws, drops
    // what it drew for the task before, and shows only draws made for the result it shows.
    void monteCarloBelongsToTheResultShown() {
        WindowDriver window;
        PropagationWindow& propagation = opened(window);
        typeRho(propagation, "10000000");
        QTRY_VERIFY_WITH_TIMEOUT(propagation.monteCarloRunning(), 10000);
        typeInto(propagation, "values:h", "4.027 4.025 4.029 4.026 4.030");
        const QString changed = resultLine(propagation);
        QVERIFY(changed.startsWith("ρ = (4.1299 ± 0.0036) g/cm³"));
        QVERIFY(!propagation.shown()->monteCarlo);
        QVERIFY(!part<QPlainTextEdit>(propagation, "steps").toPlainText().contains("蒙特卡洛"));
        part<QComboBox>(propagation, "draws").setCurrentIndex(1);
        QTRY_VERIFY_WITH_TIMEOUT(propagation.shown() && propagation.shown()->monteCarlo, 60000);
        QVERIFY(!propagation.monteCarloRunning());
        propagation::Propagation expected = propagation.shown().value();
        expected.monteCarlo.reset();
        propagation::addMonteCarlo(expected);
        QCOMPARE(propagation.shown()->monteCarlo->mean, expected.monteCarlo->mean);
        QCOMPARE(propagation.shown()->monteCarlo->draws, 100000u);
        QCOMPARE(propagation.shown()->gum.text, changed.toStdString());
        QCOMPARE(propagation.shown()->inputs[2].stated.readings.back(), "4.030");
        QVERIFY(part<QPlainTextEdit>(propagation, "steps").toPlainText().contains("M = 100000"));
        QTRY_VERIFY(!window.announcements().isEmpty() &&
                    window.announcements().last().startsWith("蒙特卡洛法：M = 100000 次抽样"));
    }

    // 用于间接测量 puts the analysed series into a row named by its symbol, with its Δ_仪, unit,
    // criterion and α.
    void takesTheAnalysedSeries() {
        WindowDriver window;
        window.pickCount("5");
        window.paste(1, "2.0012 2.0015 2.0018 2.0014 2.0016");
        QTest::keySequence(&window.box(2), QKeySequence("Ctrl+Shift+A"));
        auto& analysis = *window.form().findChild<AnalysisWindow*>();
        part<QComboBox>(analysis, "criterion").setCurrentIndex(3);
        part<QLineEdit>(analysis, "symbol").setText("d");
        part<QLineEdit>(analysis, "unit").setText("cm");
        part<QLineEdit>(analysis, "instrumentError").setText("0.0004");
        QTest::mouseClick(&part<QPushButton>(analysis, "offer"), Qt::LeftButton);
        auto* propagation = window.form().findChild<PropagationWindow*>();
        QVERIFY(propagation != nullptr && propagation->isVisible());
        QCOMPARE(part<QLineEdit>(*propagation, "values:d").text(),
                 "2.0012 2.0015 2.0018 2.0014 2.0016");
        QCOMPARE(part<QLineEdit>(*propagation, "allowance:d").text(), "0.0004");
        QCOMPARE(part<QLineEdit>(*propagation, "unit:d").text(), "cm");
        QCOMPARE(part<QComboBox>(*propagation, "criterion").currentIndex(), 3);
        typeInto(*propagation, "formula", "A = pi*d^2/4");
        QVERIFY(resultLine(*propagation).startsWith("A = (3.1"));
    }

    // The window lies within a small screen, its result line and buttons in sight, and every
    // control is named.
    void fitsTheScreenAndNamesEveryControl() {
        WindowDriver window;
        PropagationWindow& propagation = opened(window);
        typeRho(propagation);
        QVERIFY(QTest::qWaitForWindowExposed(&propagation));
        const QRect screen = propagation.screen()->availableGeometry();
        QVERIFY(screen.contains(propagation.frameGeometry()));
        QList<QWidget*> seen = {&part<QWidget>(propagation, "result")};
        for (QPushButton* button : propagation.findChildren<QPushButton*>()) {
            if (button->isVisible()) {
                seen.append(button);
            }
        }
        for (QWidget* widget : seen) {
            QVERIFY2(widget->visibleRegion().boundingRect() == widget->rect(),
                     qPrintable(widget->objectName()));
        }
        for (QWidget* widget : propagation.findChildren<QWidget*>()) {
            if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) &&
                !qobject_cast<QAbstractScrollArea*>(widget->parentWidget()) &&
                !qobject_cast<QComboBox*>(widget->parentWidget())) {
                QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
                QVERIFY2(!spoken->text(QAccessible::Name).isEmpty(),
                         qPrintable(widget->metaObject()->className() + QString(" ") +
                                    widget->objectName()));
            }
        }
    }

  private:
    QTemporaryDir folder_;
};

QTEST_MAIN(PropagationWindowTest)
#include "propagation_window_test.moc"
