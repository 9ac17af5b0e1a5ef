#include "termination_signals.h"

#include <QTest>
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
        const TerminationSignals stopSignals(window);
        std::raise(signal);
        QTRY_VERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TerminationSignalsTest)
#include "termination_signals_test.moc"
