#include "termination_signals.h"
#include "window_driver.h"

#include <QComboBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <csignal>

using namespace tavrello;

namespace {

void computeAndShow(WindowDriver& window) {
    for (const char* command : {"Command1", "Command2", "Command3"}) {
        window.click(command);
    }
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
        auto& dropDown = control<QComboBox>(window.form(), "Combo1");
        QCOMPARE(QStringList({dropDown.currentText(), dropDown.itemText(0), dropDown.itemText(18),
                              QString::number(dropDown.count())}),
                 QStringList({"请选择", "2", "20", "19"}));
        QCOMPARE(window.shownCount(), 2);
        QCOMPARE(window.focusedId(), QString("Text1"));
        for (int row = 1; row <= 20; ++row) {
            QCOMPARE(window.label(rowCaptionId(row)).text(),
                     QString("%1→").arg(row, 2, 10, QChar('0')));
        }
        QTRY_COMPARE(window.label("Label10").text(), QString("系统时间:2007-3-25  星期天  6:3:5"));
    }

    // One window through a series of picks: some faults show only after an earlier pick. A
    // method pick changes the boxes in use only at the next count pick.
    void countPicksShowTheBoxesInUse() {
        WindowDriver window;
        window.type(2, "kept");
        const QList<std::tuple<int, QString, int>> steps = {
            {1, "20", 20}, {1, "2", 2},   {2, "12", 12}, {3, "12", 2}, {4, "5", 5},
            {3, "20", 2},  {1, "19", 19}, {4, "3", 3},   {3, "2", 2},  {1, "12", 12}};
        for (const auto& [method, count, shown] : steps) {
            window.chooseMethod(method);
            window.pickCount(count);
            QCOMPARE(QList<int>({window.form().state().n, window.shownCount()}),
                     QList<int>({count.toInt(), shown}));
        }
        window.chooseMethod(3);
        QCOMPARE(window.shownCount(), 12);
        QCOMPARE(window.box(2).text(), QString("kept"));
        // Typing a count is not a pick, whichever way the typing ends; each text differs from
        // the current entry, so that a pick would show.
        auto& dropDown = control<QComboBox>(window.form(), "Combo1");
        const QList<std::pair<Qt::Key, QString>> endings = {
            {Qt::Key_Enter, "9"}, {Qt::Key_Return, "8"}, {Qt::Key_Tab, "5"}};
        for (const auto& [key, count] : endings) {
            window.click("Combo1");
            dropDown.lineEdit()->selectAll();
            QTest::keyClicks(QApplication::focusWidget(), count);
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QList<int>({window.form().state().n, window.shownCount()}),
                     QList<int>({12, 12}));
        }
        QVERIFY(window.reportedErrors().empty());
        dropDown.setEditText("请选择");
        emit dropDown.activated(0);
        QCOMPARE(window.reportedErrors(), std::vector<ErrorNumber>{ErrorNumber::TypeMismatch});
        QCOMPARE(window.form().state().n, 12);
    }

    void rangeMethodNamesTheFirstTwoRows() {
        WindowDriver window;
        for (const int method : {3, 1, 3, 2, 3, 4, 3}) {
            window.chooseMethod(method);
            QCOMPARE(window.form().state().c, method);
            QCOMPARE(window.label("Label1(0)").text() + window.label("Label1(1)").text(),
                     QString(method == 3 ? "XmaxXmin" : "01→02→"));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(window.form().state().c, 2);
    }

    void resultsStaySideBySideUntilCleared() {
        WindowDriver window;
        computeAndShow(window); // before any input: an error, then the stored zeros
        QCOMPARE(window.reportedErrors(), std::vector<ErrorNumber>{ErrorNumber::Overflow});
        QCOMPARE(window.slotResults(1), QStringList({"", "0", "0"}));
        window.pickCount("12");
        window.type(12, "1");
        window.pickCount("5");
        window.chooseMethod(2);
        const QStringList texts = {"10.1", "10.3", "10.2", "10.4", "10.0"};
        for (int box = 1; box <= 5; ++box) {
            window.type(box, texts[box - 1]);
        }
        computeAndShow(window);
        window.selectSlots({2, 4});
        window.chooseMethod(1);
        computeAndShow(window);
        window.selectSlots({3});
        window.chooseMethod(3);
        computeAndShow(window);
        QCOMPARE(window.slotResults(1), QStringList({"10.2", "0.1681074", "0.07517993"}));
        QCOMPARE(window.slotResults(2), QStringList({"10.2", "0.1581137", "0.07071061"}));
        QCOMPARE(window.slotResults(3), QStringList({"", "0.08583683", "0.0383874"}));
        QCOMPARE(window.slotResults(4), window.slotResults(2));
        window.click("Command4");
        QCOMPARE(window.shownCount(), 5);
        QCOMPARE(window.box(1).text() + window.box(5).text() + window.box(12).text(), QString());
        QCOMPARE(window.slotResults(4), window.slotResults(2));
        window.click("Command5");
        window.click("Command2");
        QCOMPARE(window.slotResults(3), QStringList({"", "0.08583683", ""}));
        QCOMPARE(window.slotResults(1), QStringList({"", "", ""}));
        QCOMPARE(window.reportedErrors().size(), std::size_t{1});
    }

    void tabVisitsTheControlsInOrder() {
        WindowDriver window;
        window.pickCount("4");
        window.chooseMethod(2);
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
        MessageBoxReporter reporter;
        FixedClock clock;
        Form1 form(reporter, clock);
        form.show();
        const TerminationSignals stopSignals;
        QString shown;
        QTimer::singleShot(0, [&shown] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->text();
            std::raise(SIGTERM);
        });
        QTest::mouseClick(&control<QWidget>(form, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(shown, QString("运行时错误 '6':\n\n溢出"));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
