#include "termination_signals.h"
#include "window_driver.h"

#include <QTest>
#include <QTimer>
#include <csignal>

using namespace tavrello;

class TerminationSignalsTest : public QObject {
    Q_OBJECT

  private slots:
    void stopSignalClosesTheWindow_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void stopSignalClosesTheWindow() {
        QFETCH(int, signal);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const TerminationSignals stopSignals;
        std::raise(signal);
        QTRY_VERIFY(!window.isVisible());
    }

    void stopSignalAlsoClosesAnOpenReport() {
        MessageBoxReporter reporter;
        FixedClock clock;
        Form1 form(reporter, clock);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const TerminationSignals stopSignals;
        // Arrives while the report of the failing compute command waits for the user.
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        QTest::mouseClick(&control<QWidget>(form, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TerminationSignalsTest)
#include "termination_signals_test.moc"
