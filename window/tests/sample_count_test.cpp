#include "window_driver.h"

#include <QComboBox>
#include <QTest>

using namespace tavrello;

namespace {

QList<int> firstBoxes(int count) {
    QList<int> boxes;
    for (int box = 1; box <= count; ++box) {
        boxes.append(box);
    }
    return boxes;
}

} // namespace

class SampleCountTest : public QObject {
    Q_OBJECT

  private slots:
    void pickShowsTheBoxesInUse_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("shown");
        for (int count = 2; count <= 20; ++count) {
            for (const int method : {1, 2, 4}) {
                QTest::addRow("method %d, n %d", method, count)
                    << method << count << firstBoxes(count);
            }
            QTest::addRow("range, n %d", count) << 3 << count << QList<int>{1, 2};
        }
    }

    void pickShowsTheBoxesInUse() {
        QFETCH(int, method);
        QFETCH(int, count);
        QFETCH(QList<int>, shown);
        WindowDriver window;
        window.chooseMethod(method);
        window.pickCount(QString::number(count));
        QCOMPARE(window.form().state().n, count);
        QCOMPARE(window.shownBoxes(), shown);
        QVERIFY(window.reportedErrors().empty());
    }

    void fewerBoxesKeepTheirTexts() {
        WindowDriver window;
        window.pickCount("12");
        window.type(9, "7.5");
        window.pickCount("5");
        QCOMPARE(window.form().state().n, 5);
        QCOMPARE(window.shownBoxes(), firstBoxes(5));
        QCOMPARE(window.box(9).text(), QString("7.5"));
    }

    void methodPickLeavesTheBoxesUntilTheNextCountPick() {
        WindowDriver window;
        window.pickCount("12");
        window.chooseMethod(3);
        QCOMPARE(window.shownBoxes(), firstBoxes(12));
        window.pickCount("12");
        QCOMPARE(window.shownBoxes(), firstBoxes(2));
        window.chooseMethod(1);
        QCOMPARE(window.shownBoxes(), firstBoxes(2));
        QCOMPARE(window.form().state().n, 12);
        window.pickCount("12");
        QCOMPARE(window.shownBoxes(), firstBoxes(12));
    }

    void rowCaptionsStayVisible() {
        WindowDriver window;
        window.pickCount("3");
        for (int row = 1; row <= 20; ++row) {
            QVERIFY(window.label(rowCaptionId(row)).isVisible());
        }
    }

    void typingIsNotAPick_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("Enter") << QList<int>{Qt::Key_Return};
        QTest::newRow("keypad Enter") << QList<int>{Qt::Key_Enter};
        QTest::newRow("leaving the field") << QList<int>{Qt::Key_Tab};
    }

    void typingIsNotAPick() {
        QFETCH(QList<int>, keys);
        WindowDriver window;
        auto& dropDown = control<QComboBox>(window.form(), "Combo1");
        window.click("Combo1");
        dropDown.lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), "7");
        for (const int key : keys) {
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        }
        QCOMPARE(window.form().state().n, 0);
        QCOMPARE(window.shownBoxes(), firstBoxes(2));
        QCOMPARE(dropDown.count(), 19);
    }

    void textThatDoesNotConvertChangesNothing() {
        WindowDriver window;
        window.pickCount("4");
        auto& dropDown = control<QComboBox>(window.form(), "Combo1");
        dropDown.setEditText("请选择");
        emit dropDown.activated(0);
        QCOMPARE(window.reportedErrors(), std::vector<ErrorNumber>{ErrorNumber::TypeMismatch});
        QCOMPARE(window.form().state().n, 4);
        QCOMPARE(window.shownBoxes(), firstBoxes(4));
    }
};

QTEST_MAIN(SampleCountTest)
#include "sample_count_test.moc"
