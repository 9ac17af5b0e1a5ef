#include "window_driver.h"

#include <QTest>

using namespace tavrello;

namespace {

const QStringList workedExample = {"10.1", "10.3", "10.2", "10.4", "10.0"};

void enterWorkedExample(WindowDriver& window) {
    window.pickCount("5");
    for (int box = 1; box <= workedExample.size(); ++box) {
        window.type(box, workedExample[box - 1]);
    }
}

void computeAndShow(WindowDriver& window) {
    window.click("Command1");
    window.click("Command2");
    window.click("Command3");
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

  private slots:
    // Digits worked out by hand from the formulas and coefficient tables, in single precision.
    void workedExampleByEachMethod_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("single");
        QTest::addColumn<QString>("ofMean");
        QTest::newRow("Bessel") << 1 << "0.1581137"
                                << "0.07071061";
        QTest::newRow("Peters") << 2 << "0.1681074"
                                << "0.07517993";
        QTest::newRow("maximum error") << 4 << "0.1479999"
                                       << "0.06618755";
    }

    void workedExampleByEachMethod() {
        QFETCH(int, method);
        QFETCH(QString, single);
        QFETCH(QString, ofMean);
        WindowDriver window;
        enterWorkedExample(window);
        window.chooseMethod(method);
        computeAndShow(window);
        QCOMPARE(window.result("mean", 1), QString("10.2"));
        QCOMPARE(window.result("single", 1), single);
        QCOMPARE(window.result("ofMean", 1), ofMean);
        QVERIFY(window.reportedErrors().empty());
    }

    void typicalUseKeepsEarlierResultsInTheirSlot() {
        WindowDriver window;
        window.pickCount("5");
        window.chooseMethod(2);
        for (int box = 1; box <= workedExample.size(); ++box) {
            window.type(box, workedExample[box - 1]);
        }
        computeAndShow(window);
        window.selectSlots({2});
        window.chooseMethod(1);
        computeAndShow(window);
        const QStringList slot1 = {window.result("mean", 1), window.result("single", 1),
                                   window.result("ofMean", 1)};
        const QStringList slot2 = {window.result("mean", 2), window.result("single", 2),
                                   window.result("ofMean", 2)};
        QCOMPARE(slot1, QStringList({"10.2", "0.1681074", "0.07517993"}));
        QCOMPARE(slot2, QStringList({"10.2", "0.1581137", "0.07071061"}));
        for (int slot = 3; slot <= 4; ++slot) {
            QVERIFY(window.result("mean", slot).isEmpty());
        }
    }

    void rangeMethodBlanksTheMean() {
        WindowDriver window;
        enterWorkedExample(window);
        window.click("Command1");
        QCOMPARE(window.result("mean", 1), QString("10.2"));
        window.chooseMethod(3);
        computeAndShow(window);
        QVERIFY(window.result("mean", 1).isEmpty());
        QVERIFY(!window.result("single", 1).isEmpty());
        QVERIFY(window.reportedErrors().empty());
    }

    void displayBeforeAnyComputationShowsZero() {
        WindowDriver window;
        window.click("Command2");
        window.click("Command3");
        QCOMPARE(window.result("single", 1), QString("0"));
        QCOMPARE(window.result("ofMean", 1), QString("0"));
        QVERIFY(window.result("single", 2).isEmpty());
    }

    void noSlotSelectedWritesNothing() {
        WindowDriver window;
        enterWorkedExample(window);
        window.selectSlots({});
        computeAndShow(window);
        for (int slot = 1; slot <= 4; ++slot) {
            QVERIFY(window.result("mean", slot).isEmpty());
            QVERIFY(window.result("single", slot).isEmpty());
        }
    }

    void computingBeforeAPickIsReportedAndTheWindowGoesOn() {
        WindowDriver window;
        window.type(1, "3");
        window.click("Command1");
        QCOMPARE(window.reportedErrors(), std::vector<ErrorNumber>{ErrorNumber::Overflow});
        QVERIFY(window.result("mean", 1).isEmpty());
        QCOMPARE(window.form().state().u, 0.0f);
        window.click("Command4");
        enterWorkedExample(window);
        window.click("Command1");
        QCOMPARE(window.result("mean", 1), QString("10.2"));
        QCOMPARE(window.reportedErrors().size(), std::size_t{1});
    }

    void clearInputEmptiesEveryBoxAndKeepsTheirVisibility() {
        WindowDriver window;
        window.pickCount("12");
        for (int box = 1; box <= 12; ++box) {
            window.type(box, "1");
        }
        window.pickCount("5");
        for (int press = 0; press < 2; ++press) {
            window.click("Command4");
            for (int box = 1; box <= 20; ++box) {
                QVERIFY(window.box(box).text().isEmpty());
            }
            QCOMPARE(window.shownBoxes(), QList<int>({1, 2, 3, 4, 5}));
            QCOMPARE(window.form().state().n, 5);
        }
    }

    void clearOutputEmptiesEveryLabelAndKeepsTheDeviations() {
        WindowDriver window;
        enterWorkedExample(window);
        window.selectSlots({1, 3});
        computeAndShow(window);
        window.click("Command5");
        window.click("Command5");
        for (int number = 12; number <= 23; ++number) {
            QVERIFY(window.label(QString("Label%1").arg(number)).text().isEmpty());
        }
        QVERIFY(window.check(1).isChecked());
        window.click("Command2");
        QCOMPARE(window.result("single", 1), QString("0.1581137"));
        QCOMPARE(window.result("single", 3), QString("0.1581137"));
        QVERIFY(window.result("mean", 1).isEmpty());
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
