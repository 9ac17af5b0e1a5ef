#include "window_driver.h"

#include <QAccessible>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

using namespace tavrello;

namespace {

QString accessibleText(QWidget& widget, QAccessible::Text kind) {
    return QAccessible::queryAccessibleInterface(&widget)->text(kind);
}

} // namespace

class StartStateTest : public QObject {
    Q_OBJECT

  private slots:
    void windowIsFixedWithACloseButtonOnly() {
        WindowDriver window;
        Form1& form = window.form();
        QCOMPARE(form.windowTitle(), QString("Tavrello"));
        QCOMPARE(form.size(), QSize(529, 420));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!form.windowIcon().isNull());
    }

    void calculationStateStartsWithTheBesselMethod() {
        WindowDriver window;
        const CalculationState& state = window.form().state();
        QCOMPARE(state.c, 1);
        QCOMPARE(state.n, 0);
        QCOMPARE(state.i, 0);
        QCOMPARE(state.u, 0.0f);
        QCOMPARE(state.j, 0.0f);
    }

    void selectorsStartAsLaidOut() {
        WindowDriver window;
        for (int method = 1; method <= 4; ++method) {
            QCOMPARE(
                control<QRadioButton>(window.form(), QString("Option%1").arg(method)).isChecked(),
                method == 1);
        }
        for (int slot = 1; slot <= 4; ++slot) {
            QCOMPARE(window.check(slot).isChecked(), slot == 1);
            QVERIFY(window.check(slot).text().isEmpty());
            QCOMPARE(window.check(slot).toolTip(), QString("是否选择此框输出计算结果。"));
        }
        auto& dropDown = control<QComboBox>(window.form(), "Combo1");
        QCOMPARE(dropDown.currentText(), QString("请选择"));
        QCOMPARE(dropDown.currentIndex(), -1);
        QStringList entries;
        for (int row = 0; row < dropDown.count(); ++row) {
            entries.append(dropDown.itemText(row));
        }
        QCOMPARE(entries, QStringList({"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                                       "13", "14", "15", "16", "17", "18", "19", "20"}));
    }

    void twoEmptyBoxesBesideTwentyCaptions() {
        WindowDriver window;
        QCOMPARE(window.shownBoxes(), QList<int>({1, 2}));
        for (int row = 1; row <= 20; ++row) {
            QVERIFY(window.box(row).text().isEmpty());
            QLabel& caption = window.label(QString("Label1(%1)").arg(row - 1));
            QCOMPARE(caption.text(), QString("%1→").arg(row, 2, 10, QChar('0')));
            QVERIFY(caption.isVisible());
            QVERIFY(caption.font().underline());
        }
        for (int number = 12; number <= 23; ++number) {
            QVERIFY(window.label(QString("Label%1").arg(number)).text().isEmpty());
        }
    }

    void focusStartsInTheFirstBox() {
        WindowDriver window;
        QCOMPARE(window.focusedId(), QString("Text1"));
    }

    void clockLineWaitsForTheFirstTick() {
        RecordingReporter reporter;
        FixedClock clock;
        Form1 form(reporter, clock);
        auto& line = control<QLabel>(form, "Label10");
        QVERIFY(line.text().isEmpty());
        QTRY_COMPARE(line.text(), QString("系统时间:2007-3-25  星期天  6:3:5"));
    }

    // Positions in pixels, converted by hand from the twips of the layout.
    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Frame1") << "Frame1" << QRect(4, 4, 521, 401);
        QTest::newRow("Frame3") << "Frame3" << QRect(328, 0, 9, 401);
        QTest::newRow("Option2") << "Option2" << QRect(8, 112, 81, 17);
        QTest::newRow("Image2") << "Image2" << QRect(8, 128, 135, 59);
        QTest::newRow("Image4") << "Image4" << QRect(8, 280, 89, 47);
        QTest::newRow("Combo1") << "Combo1" << QRect(232, 32, 89, 20);
        QTest::newRow("Label1(19)") << "Label1(19)" << QRect(168, 376, 24, 12);
        QTest::newRow("Text20") << "Text20" << QRect(200, 376, 121, 18);
        QTest::newRow("Check4") << "Check4" << QRect(344, 112, 9, 12);
        QTest::newRow("Label23") << "Label23" << QRect(360, 320, 153, 17);
        QTest::newRow("Command3") << "Command3" << QRect(344, 344, 169, 25);
        QTest::newRow("Command5") << "Command5" << QRect(440, 376, 73, 17);
        QTest::newRow("Label8") << "Label8" << QRect(4, 404, 132, 16);
        QTest::newRow("Label10") << "Label10" << QRect(284, 404, 241, 16);
    }

    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, id);
        QFETCH(QRect, geometry);
        WindowDriver window;
        QCOMPARE(control<QWidget>(window.form(), id).geometry(), geometry);
    }

    void tooltipsExplainTheControls_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("Option1")
            << "Option1"
            << "四种方法中可靠性最高，当几种方法计算的结果出现矛盾时，以贝塞尔为准。";
        QTest::newRow("Option2") << "Option2"
                                 << "无评价！！！";
        QTest::newRow("Option4")
            << "Option4"
            << "最大误差法简单、迅速、方便、容易掌握，因而有广泛用途。当n<10时，"
               "最大误差法有一定的精度。";
        QTest::newRow("Command4") << "Command4"
                                  << "清除输入数据";
        QTest::newRow("Command5") << "Command5"
                                  << "清除输出结果";
        QTest::newRow("no tooltip") << "Label11" << QString();
    }

    void tooltipsExplainTheControls() {
        QFETCH(QString, id);
        QFETCH(QString, tooltip);
        WindowDriver window;
        QCOMPARE(control<QWidget>(window.form(), id).toolTip(), tooltip);
    }

    void textColoursAsLaidOut_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QColor>("colour");
        const QPalette system = QApplication::palette();
        QTest::newRow("heading in black") << "Label5" << QColor(0, 0, 0);
        QTest::newRow("heading in button text") << "Label6" << system.color(QPalette::ButtonText);
        QTest::newRow("row caption") << "Label1(7)" << QColor(255, 0, 0);
        QTest::newRow("option") << "Option3" << QColor(255, 0, 0);
        QTest::newRow("note") << "Label11" << QColor(255, 0, 0);
        QTest::newRow("status") << "Label9" << system.color(QPalette::Dark);
    }

    void textColoursAsLaidOut() {
        QFETCH(QString, id);
        QFETCH(QColor, colour);
        WindowDriver window;
        const QWidget& widget = control<QWidget>(window.form(), id);
        QCOMPARE(widget.palette().color(widget.foregroundRole()), colour);
    }

    void noControlSticksOutOfItsContainer() {
        WindowDriver window;
        const auto children = window.form().findChildren<QWidget*>();
        for (const QWidget* child : children) {
            if (child->isWindow() || child->objectName().isEmpty()) {
                continue;
            }
            QVERIFY2(child->parentWidget()->rect().contains(child->geometry()),
                     qPrintable(child->objectName()));
        }
    }

    void accessibleNamesSayWhatAControlIsFor_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("first box") << "Text1"
                                   << "测量数据 01";
        QTest::newRow("last box") << "Text20"
                                  << "测量数据 20";
        QTest::newRow("slot 1") << "Check1"
                                << "输出到第 1 组";
        QTest::newRow("slot 4") << "Check4"
                                << "输出到第 4 组";
        QTest::newRow("picture") << "Image1"
                                 << "贝塞尔公式的计算式";
        QTest::newRow("button") << "Command1"
                                << "算术平均值";
        QTest::newRow("option") << "Option3"
                                << "极差法";
        QTest::newRow("clear input") << "Command4"
                                     << "清除输入数据";
    }

    void accessibleNamesSayWhatAControlIsFor() {
        QFETCH(QString, id);
        QFETCH(QString, name);
        WindowDriver window;
        QCOMPARE(accessibleText(control<QWidget>(window.form(), id), QAccessible::Name), name);
    }

    void sampleCountIsNamedByItsLabel() {
        WindowDriver window;
        auto& dropDown = control<QWidget>(window.form(), "Combo1");
        QCOMPARE(dropDown.accessibleName(), QString("测量次数n"));
        const auto labels =
            QAccessible::queryAccessibleInterface(&dropDown)->relations(QAccessible::Label);
        QStringList names;
        for (const auto& [label, relation] : labels) {
            names.append(label->text(QAccessible::Name));
        }
        QVERIFY2(names.contains("测量次数n"), qPrintable(names.join(", ")));
    }

    void resultLabelsExposeTheirText() {
        WindowDriver window;
        window.click("Command2");
        QLabel& single = window.label("Label16");
        QCOMPARE(accessibleText(single, QAccessible::Name), QString("0"));
        QCOMPARE(accessibleText(single, QAccessible::Description),
                 QString("第 1 组 测量列中单次测量的标准差"));
    }

    void backTabStopsOnTheChosenMethodOnly() {
        WindowDriver window;
        control<QWidget>(window.form(), "Command1").setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(window.focusedId(), QString("Option1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(window.focusedId(), QString("Text2"));
    }

    void tabVisitsTheControlsInOrder_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("method");
        QTest::addColumn<QStringList>("stops");
        const QStringList commandsAndSlots = {"Command1", "Command2", "Command3", "Command4",
                                              "Command5", "Check1",   "Check2",   "Check3",
                                              "Check4",   "Combo1",   "Text1"};
        QTest::newRow("at start") << QString() << 1
                                  << QStringList{"Text1", "Text2", "Option1"} + commandsAndSlots;
        QTest::newRow("four boxes, Peters")
            << "4" << 2
            << QStringList{"Text1", "Text2", "Text3", "Text4", "Option2"} + commandsAndSlots;
    }

    void tabVisitsTheControlsInOrder() {
        QFETCH(QString, count);
        QFETCH(int, method);
        QFETCH(QStringList, stops);
        WindowDriver window;
        if (!count.isEmpty()) {
            window.pickCount(count);
        }
        window.chooseMethod(method);
        window.box(1).setFocus();
        QStringList visited = {window.focusedId()};
        while (visited.size() < stops.size()) {
            window.pressTab();
            visited.append(window.focusedId());
        }
        QCOMPARE(visited, stops);
    }
};

QTEST_MAIN(StartStateTest)
#include "start_state_test.moc"
