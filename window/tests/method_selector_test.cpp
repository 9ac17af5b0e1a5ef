#include "window_driver.h"

#include <QTest>

using namespace tavrello;

class MethodSelectorTest : public QObject {
    Q_OBJECT

  private slots:
    void pickSetsTheMethodAndTheFirstTwoCaptions_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("Bessel") << 1 << "01→"
                                << "02→";
        QTest::newRow("Peters") << 2 << "01→"
                                << "02→";
        QTest::newRow("range") << 3 << "Xmax"
                               << "Xmin";
        QTest::newRow("maximum error") << 4 << "01→"
                                       << "02→";
    }

    void pickSetsTheMethodAndTheFirstTwoCaptions() {
        QFETCH(int, method);
        QFETCH(QString, first);
        QFETCH(QString, second);
        WindowDriver window;
        // From the range method too, so that every pick has to write both captions back.
        window.chooseMethod(3);
        window.chooseMethod(method);
        QCOMPARE(window.form().state().c, method);
        QCOMPARE(window.label("Label1(0)").text(), first);
        QCOMPARE(window.label("Label1(1)").text(), second);
        QCOMPARE(window.label("Label1(0)").geometry(), QRect(168, 72, 24, 12));
        QCOMPARE(window.label("Label1(1)").geometry(), QRect(168, 88, 24, 12));
        QCOMPARE(window.label("Label1(2)").text(), QString("03→"));
    }

    void pickKeepsBoxesCountAndResults() {
        WindowDriver window;
        window.pickCount("6");
        window.type(1, "4");
        window.type(6, "8");
        window.click("Command1");
        window.click("Command2");
        const QString mean = window.result("mean", 1);
        const QString single = window.result("single", 1);
        QCOMPARE(mean, QString("2"));
        for (const int method : {3, 2, 4, 1}) {
            window.chooseMethod(method);
            QCOMPARE(window.form().state().n, 6);
            QCOMPARE(window.shownBoxes(), QList<int>({1, 2, 3, 4, 5, 6}));
            QCOMPARE(window.box(6).text(), QString("8"));
            QCOMPARE(window.result("mean", 1), mean);
            QCOMPARE(window.result("single", 1), single);
        }
    }

    void arrowKeysMoveTheChoice() {
        WindowDriver window;
        window.click("Option2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(window.focusedId(), QString("Option3"));
        QCOMPARE(window.form().state().c, 3);
        QCOMPARE(window.label("Label1(0)").text(), QString("Xmax"));
    }
};

QTEST_MAIN(MethodSelectorTest)
#include "method_selector_test.moc"
