// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/appearance.h"
#include "window/platform_translation.h"
#include "window/termination_signals.h"
#include "window/tests/window_driver.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <csignal>
#include <memory>

using namespace tavrello;

namespace {

const QString workedColumn = "10.1\r\n10.3\r\n10.2\r\n10.4\r\n10.0\r\n";
const QString notPasted = "。未粘贴任何数。";

void computeAndShow(WindowDriver& window) {
    for (const char* command : {"Command1", "Command2", "Command3"}) {
        window.click(command);
    }
}

// As a desktop theme sets it, tooltips included.
QPalette paletteOf(const QColor& window, const QColor& text) {
    QPalette palette(window);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, text);
    }
    palette.setColor(QPalette::ToolTipBase, window);
    return palette;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startsReadyForTheFirstSeries() {
        WindowDriver window;
        QCOMPARE(window.form().state().c, 1);
        QVERIFY(control<QRadioButton>(window.form(), "Option1").isChecked());
        for (int slot = 1; slot <= 4; ++slot) {
            QCOMPARE(window.check(slot).isChecked(), slot == 1);
            QCOMPARE(window.slotResults(slot), QStringList({"", "", ""}));
        }
        // The list offers the counts 2 to 20.
        const auto& counts = control<QComboBox>(window.form(), "Combo1");
        QCOMPARE(
            QStringList({counts.currentText(), counts.itemText(0),
                         counts.itemText(counts.count() - 1), QString::number(counts.count())}),
            QStringList({"请选择", "2", "20", "19"}));
        QCOMPARE(window.shownCount(), 2);
        QCOMPARE(window.focusedId(), QString("Text1"));
        // A status label reads its own text; a formula its name and, in words, itself.
        const auto spoken = [&](const QString& id, QAccessible::Text kind) {
            return QAccessible::queryAccessibleInterface(&control<QWidget>(window.form(), id))
                ->text(kind);
        };
        QCOMPARE(
            QStringList({spoken("Label8", QAccessible::Name), spoken("Image1", QAccessible::Name),
                         spoken("Image1", QAccessible::Description)}),
            QStringList({"Tavrello 误差分析", "贝塞尔公式的计算式",
                         "s 等于 根号下 i 从 1 到 n 的 x i 减 x 平均 的平方 之和 除以 n 减 1"}));
        QTRY_COMPARE(window.label("Label10").text(), QString("系统时间:2007-3-25  星期天  6:3:5"));
    }

    // One window through a series of picks: some faults show only after an earlier pick. A
    // method pick renames the first two rows at once, but changes the boxes in use only at the
    // next count pick.
    void countPicksShowTheBoxesInUse() {
        WindowDriver window;
        window.type(2, "kept");
        auto& dropDown = control<QComboBox>(window.form(), "Combo1");
        const QList<std::tuple<int, QString, int>> steps = {
            {1, "20", 20}, {1, "2", 2},   {2, "12", 12}, {3, "12", 2}, {4, "5", 5},
            {3, "20", 2},  {1, "19", 19}, {4, "3", 3},   {3, "2", 2},  {1, "12", 12}};
        for (const auto& [method, count, shown] : steps) {
            window.chooseMethod(method);
            QCOMPARE(window.label("Label1(0)").text() + window.label("Label1(1)").text(),
                     QString(method == 3 ? "XmaxXmin" : "01→02→"));
            window.pickCount(count);
            QCOMPARE(
                QList<int>({window.form().state().c, window.form().state().n, window.shownCount()}),
                QList<int>({method, count.toInt(), shown}));
        }
        // The wheel picks only over the focused selector; neither the selector nor its field
        // takes the focus on a turn, which the platform may deliver to either.
        for (const QWidget* part : QList<const QWidget*>{&dropDown, dropDown.lineEdit()}) {
            QVERIFY((part->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
        }
        for (QWidget* focused : QList<QWidget*>{&window.box(1), &dropDown}) {
            focused->setFocus();
            const QPointF centre = QRectF(dropDown.rect()).center();
            QWheelEvent turn(centre, dropDown.mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&dropDown, &turn);
            QCOMPARE(window.focusedId(), focused->objectName());
        }
        window.chooseMethod(3);
        QCOMPARE(QList<int>({window.form().state().n, window.shownCount()}), QList<int>({13, 13}));
        QCOMPARE(window.box(2).text(), QString("kept"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(window.form().state().c, 2);
        // Typing a count is not a pick, whichever way the typing ends; each text differs from
        // the current entry, so that a pick would show.
        const QList<std::pair<Qt::Key, QString>> endings = {
            {Qt::Key_Enter, "9"}, {Qt::Key_Return, "8"}, {Qt::Key_Tab, "5"}};
        for (const auto& [key, count] : endings) {
            window.click("Combo1");
            dropDown.lineEdit()->selectAll();
            QTest::keyClicks(QApplication::focusWidget(), count);
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QList<int>({window.form().state().n, window.shownCount()}),
                     QList<int>({13, 13}));
        }
        QVERIFY(window.reportedErrors().empty());
        dropDown.setEditText("请选择");
        emit dropDown.activated(0);
        QCOMPARE(window.reportedErrors(), std::vector<ErrorNumber>{ErrorNumber::TypeMismatch});
        QCOMPARE(window.form().state().n, 13);
    }

    // Before any input, computing reports an error, so each press of Enter on the focused
    // button is counted; then the stored zeros show. A result label is named by its slot and
    // quantity before its text, and each command tells a screen reader what it wrote.
    void resultsStaySideBySideUntilCleared() {
        WindowDriver window;
        auto& compute = control<QPushButton>(window.form(), "Command1");
        compute.setFocus();
        const std::tuple<int, Qt::KeyboardModifiers, bool> presses[] = {
            {Qt::Key_Return, Qt::NoModifier, false},
            {Qt::Key_Enter, Qt::KeypadModifier, false},
            {Qt::Key_Return, Qt::NoModifier, true},
            {Qt::Key_Return, Qt::ControlModifier, false}};
        QList<std::size_t> reported;
        for (const auto& [key, modifiers, held] : presses) {
            QKeyEvent press(QEvent::KeyPress, key, modifiers, "\r", held);
            QApplication::sendEvent(&compute, &press);
            reported.append(window.reportedErrors().size());
        }
        QCOMPARE(reported, QList<std::size_t>({1, 2, 2, 2}));
        QVERIFY(!compute.isDefault());
        QAccessibleInterface& single =
            *QAccessible::queryAccessibleInterface(&window.label("Label16"));
        QCOMPARE(single.text(QAccessible::Name), QString());
        computeAndShow(window);
        QCOMPARE(window.slotResults(1), QStringList({"", "0", "0"}));
        QCOMPARE(single.text(QAccessible::Name), QString("第 1 组 测量列中单次测量的标准差 0"));
        window.pickCount("12");
        window.type(12, "1");
        window.pickCount("5");
        window.chooseMethod(2);
        window.paste(1, workedColumn);
        computeAndShow(window);
        window.selectSlots({2, 4});
        window.chooseMethod(1);
        computeAndShow(window);
        window.selectSlots({3});
        window.chooseMethod(3);
        computeAndShow(window);
        // The whole table copied by a label's menu and by the shortcut, one label's text by
        // the mouse.
        chooseFromMenu(window.label("Label17"), "复制全部结果");
        const QString copiedByMenu = QGuiApplication::clipboard()->text();
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(&window.box(3), QKeySequence("Ctrl+Shift+C"));
        const QMimeData& copied = *QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied.text(),
                 "组\t算术平均值\t测量列中单次测量的标准差\t测量列算术平均值的标准差\n"
                 "1\t10.2\t0.1681074\t0.07517993\n"
                 "2\t10.2\t0.1581137\t0.07071061\n"
                 "3\t\t0.08583683\t0.0383874\n"
                 "4\t10.2\t0.1581137\t0.07071061\n");
        QCOMPARE(copiedByMenu, copied.text());
        QTextDocument document;
        document.setHtml(copied.html());
        const auto* table = qobject_cast<QTextTable*>(document.rootFrame()->childFrames().value(0));
        QVERIFY(table != nullptr && table->rows() == 5 && table->columns() == 4);
        QCOMPARE(document.toPlainText(), '\n' + QString(copied.text()).replace('\t', '\n'));
        QLabel& mean = window.label("Label12");
        const QPoint start(2, mean.height() / 2);
        const QPoint end(mean.width() - 2, start.y());
        QTest::mousePress(&mean, Qt::LeftButton, {}, start);
        QTest::mouseMove(&mean, end);
        QTest::mouseRelease(&mean, Qt::LeftButton, {}, end);
        QTest::keySequence(&mean, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("10.2"));
        window.click("Command4");
        QCOMPARE(window.shownCount(), 5);
        QCOMPARE(window.box(1).text() + window.box(5).text() + window.box(12).text(), QString());
        QCOMPARE(window.slotResults(4), window.slotResults(2));
        window.click("Command5");
        window.click("Command2");
        QCOMPARE(window.slotResults(3), QStringList({"", "0.08583683", ""}));
        QCOMPARE(window.slotResults(1), QStringList({"", "", ""}));
        QCOMPARE(single.text(QAccessible::Name), QString());
        window.selectSlots({});
        window.click("Command3");
        QCOMPARE(window.reportedErrors(), std::vector<ErrorNumber>(3, ErrorNumber::Overflow));
        const QString single1 = "测量列中单次测量的标准差，第 ",
                      ofMean = "测量列算术平均值的标准差";
        QCOMPARE(window.announcements(),
                 QStringList({single1 + "1 组：0", ofMean + "，第 1 组：0",
                              "已粘贴 5 个数据，测量次数 n = 5", "算术平均值，第 1 组：10.2",
                              single1 + "1 组：0.1681074", ofMean + "，第 1 组：0.07517993",
                              "算术平均值，第 2 组：10.2；第 4 组：10.2",
                              single1 + "2 组：0.1581137；第 4 组：0.1581137",
                              ofMean + "，第 2 组：0.07071061；第 4 组：0.07071061",
                              "极差法不求算术平均值，第 3 组已清空", single1 + "3 组：0.08583683",
                              ofMean + "，第 3 组：0.0383874", "已清除输入数据", "已清除输出结果",
                              single1 + "3 组：0.08583683", ofMean + "：没有选中要输出的组"}));
    }

    // Under the method, after picking the count (0: none) and typing "7" into the box, the
    // clipboard is pasted by the gesture. Then the window shows the boxes' texts up to the last
    // filled one, n, the selector's text, the boxes in use and what it told the user.
    void pasteSpreadsTheSeries() {
        const std::tuple<QString, int, QString, int, int, QStringList> pastes[] = {
            {"Ctrl+V", 1, workedColumn, 1, 0, {"10.1,10.3,10.2,10.4,10.0", "5", "5", "5", ""}},
            {"menu", 1, "1，2", 2, 0, {"1,2", "2", "2", "2", ""}},
            {"Shift+Ins", 2, " 1\t2;  3 ", 4, 8, {",1,2,3", "8", "8", "8", ""}},
            {"Ctrl+V", 1, "10.25\n", 1, 0, {"710.25", "0", "请选择", "2", ""}},
            {"menu",
             2,
             QString("1\n").repeated(25),
             1,
             3,
             {",7", "3", "3", "3",
              "粘贴的 25 个数放不下：从第 2 个输入框到第 20 个输入框只有 19 个框" + notPasted}},
            {"Ctrl+V",
             1,
             "10.4\n10.2\n10.0",
             3,
             0,
             {"7", "0", "请选择", "2",
              "粘贴的 3 个数放不下：极差法只用 Xmax 和 Xmin 两个输入框，从此框起只有 2 个" +
                  notPasted}},
            // One value is never torn apart: text after a number, blanks inside one, a decimal
            // comma.
            {"Ctrl+V", 1, "12.5 mm", 1, 0, {"712.5 mm", "0", "请选择", "2", ""}},
            {"Ctrl+V", 2, "12.5 mm\n13 mm", 1, 0, {",12.5 mm,13 mm", "3", "3", "3", ""}},
            {"Ctrl+V", 2, "1 2.5\r\n", 1, 3, {",71 2.5", "3", "3", "3", ""}},
            {"menu",
             1,
             "10,1\n10,3",
             1,
             0,
             {"7", "0", "请选择", "2",
              "粘贴的数以逗号作小数点（如“10,1”），本程序以句点作小数点（如“10.1”）" + notPasted}},
            // On lines a comma is no separator: the column is refused, not torn at it.
            {"Ctrl+V",
             1,
             "10.1\n10.2\n10,3\n10.4\n",
             1,
             0,
             {"7", "0", "请选择", "2",
              "第 3 行的“10,3”含有逗号。粘贴的数分行或分列排列时，逗号不分隔数据；本程序也不以逗号"
              "作小数点，小数点请用句点（如“10.1”）" +
                  notPasted}}};
        for (const auto& [gesture, box, clipboard, method, count, shown] : pastes) {
            WindowDriver window;
            window.chooseMethod(method);
            if (count != 0) {
                window.pickCount(QString::number(count));
            }
            window.type(box, "7");
            window.paste(box, clipboard, gesture);
            QCOMPARE(
                QStringList({window.boxTexts().join(',').remove(QRegularExpression(",+$")),
                             QString::number(window.form().state().n),
                             control<QComboBox>(window.form(), "Combo1").currentText(),
                             QString::number(window.shownCount()), window.notices().join('|')}),
                shown);
        }
    }

    void eachBoxUndoesItsOwnPaste() {
        WindowDriver window;
        window.type(2, "8");
        window.paste(1, "1\n2\n3");
        QCOMPARE(window.boxTexts().mid(0, 3), QStringList({"1", "2", "3"}));
        for (int box = 1; box <= 3; ++box) {
            QTest::keySequence(&window.box(box), QKeySequence::Undo);
        }
        QCOMPARE(window.boxTexts().mid(0, 4), QStringList({"", "8", "", ""}));
    }

    void keysMoveThroughTheControls() {
        WindowDriver window;
        window.pickCount("4");
        window.chooseMethod(2);
        window.box(1).setFocus();
        // A box's first focus moves no caret, which Orca would take for the focus change itself.
        const QSignalSpy caretMoves(&window.box(2), &QLineEdit::cursorPositionChanged);
        // Enter and Shift+Enter in the boxes: keys pressed, each followed by the control it
        // leaves focused.
        const QStringList steps = {
            "Return",       "Text2", "Num+Enter",    "Text3", "Shift+Return", "Text2",
            "Shift+Return", "Text1", "Shift+Return", "Text1", "Tab",          "Text2",
            "Return",       "Text3", "Return",       "Text4", "Return",       "Command1"};
        for (qsizetype step = 0; step < steps.size(); step += 2) {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(steps[step]));
            QCOMPARE(window.focusedId(), steps[step + 1]);
        }
        QCOMPARE(caretMoves.count(), 0);
        window.box(1).setFocus();
        QStringList visited = {window.focusedId()};
        while (visited.size() < 16) {
            window.pressTab();
            visited.append(window.focusedId());
        }
        QCOMPARE(visited, QStringList({"Text1", "Text2", "Text3", "Text4", "Option2", "Command1",
                                       "Command2", "Command3", "Command4", "Command5", "Check1",
                                       "Check2", "Check3", "Check4", "Combo1", "Text1"}));
    }

    // The report names number and description and waits for the user; a stop signal closes it
    // and the window.
    void errorReportWaitsUntilAStopSignal() {
        QCOMPARE(errorReportText(RunTimeError(ErrorNumber::SubscriptOutOfRange)) +
                     errorReportText(RunTimeError(ErrorNumber::DivisionByZero)) +
                     errorReportText(RunTimeError(ErrorNumber::TypeMismatch)),
                 "运行时错误 '9':\n\n下标越界运行时错误 '11':\n\n除数为零运行时错误 "
                 "'13':\n\n类型不匹配");
        MessageBoxes messages;
        FixedClock clock;
        Form1 form(messages, clock);
        form.show();
        const TerminationSignals stopSignals;
        QString shown;
        QTimer::singleShot(0, [&shown] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->text();
#ifdef Q_OS_UNIX
            std::raise(SIGTERM);
#else
            // Windows asks with WM_CLOSE, which Qt turns into closing every window.
            QApplication::closeAllWindows();
#endif
        });
        QTest::mouseClick(&control<QWidget>(form, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(shown, QString("运行时错误 '6':\n\n溢出"));
    }

    // Found or missing, Qt's texts in the error box and the selector's menu; the boxes' menu
    // says the same as the selector's, and its paste is still the window's.
    void platformTextsAreChineseWhereQtHasThem() {
        const std::pair<QStringList, QStringList> cases[] = {
            {platformTranslationFolders(), {"确定", "撤消(&U)"}},
            {{"/nonexistent"}, {"OK", "&Undo"}}};
        for (const auto& [folders, texts] : cases) {
            const PlatformTranslation translation(folders);
            QCOMPARE(translation.loaded(), texts[0] != "OK");
            WindowDriver window;
            const QStringList shown = platformTexts(window.form());
            QCOMPARE(shown.mid(0, 2), texts);
            QCOMPARE(menuTexts(window.box(2)).mid(0, shown.size() - 1), shown.mid(1));
            window.paste(2, "1\n2\n3", "menu");
            QCOMPARE(window.boxTexts().mid(1, 3), QStringList({"1", "2", "3"}));
        }
    }

    // A one-pixel line in the shadow colour on each side, the background just inside.
    void resultAndStatusLabelsHaveASingleBorder() {
        WindowDriver window;
        const QImage picture = window.form().grab().toImage();
        for (const char* id : {"Label12", "Label15", "Label19", "Label23", "Label8", "Label10"}) {
            const QLabel& label = window.label(id);
            const QRect edges(label.mapTo(&window.form(), QPoint(0, 0)), label.size());
            const QPoint centre = edges.center();
            const auto at = [&](int x, int y) { return picture.pixelColor(x, y).rgb(); };
            const QRgb shadow = label.palette().color(QPalette::Dark).rgb();
            QCOMPARE(QList<QRgb>({at(edges.left(), centre.y()), at(edges.right(), centre.y()),
                                  at(centre.x(), edges.top()), at(centre.x(), edges.bottom()),
                                  at(edges.left() + 1, centre.y())}),
                     QList<QRgb>({shadow, shadow, shadow, shadow,
                                  label.palette().color(QPalette::Window).rgb()}));
        }
    }

    void darkDesktopPaletteGivesWayToTheStandardOne() {
        const QPalette before = QApplication::palette();
        const QPalette tooltipsBefore = QToolTip::palette();
        const QPalette light = QApplication::style()->QStyle::standardPalette();
        const QPalette dark = paletteOf(QColor(0x35, 0x35, 0x35), Qt::white);
        const QPalette sand = paletteOf(QColor(0xF0, 0xEC, 0xE0), Qt::black);
        QList<QColor> shown;
        for (const QPalette& desktop : {dark, sand}) {
            QApplication::setPalette(desktop);
            QToolTip::setPalette(desktop);
            keepPaletteLight();
            shown << QApplication::palette().color(QPalette::Window)
                  << QToolTip::palette().color(QPalette::ToolTipBase);
        }
        QApplication::setPalette(before);
        QToolTip::setPalette(tooltipsBefore);
        QCOMPARE(shown,
                 QList<QColor>({light.color(QPalette::Window), light.color(QPalette::ToolTipBase),
                                sand.color(QPalette::Window), sand.color(QPalette::ToolTipBase)}));
        QVERIFY(!isDark(light));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
