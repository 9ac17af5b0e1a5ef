#include "status_clock.h"
#include "window_driver.h"

#include <QDateTime>
#include <QTest>

using namespace tavrello;

class StatusClockTest : public QObject {
    Q_OBJECT

  private slots:
    // Every tick shows the line of the moment: date, weekday and time without leading zeros.
    // 25 March 2007 was a Sunday.
    void everyTickShowsTheCurrentLine() {
        FixedClock clock;
        QLabel line;
        StatusClock status(clock, line);
        const QString weekdays = "天一二三四五六";
        for (int day = 0; day < 7; ++day) {
            clock.date = QDate(2007, 3, 25 + day);
            clock.time.setHMS(6, 3, 5 + day);
            status.tick();
            QCOMPARE(line.text(), QString("系统时间:2007-3-%1  星期%2  6:3:%3")
                                      .arg(25 + day)
                                      .arg(weekdays[day])
                                      .arg(5 + day));
        }
        clock.date = QDate(2024, 12, 31);
        clock.time.setHMS(23, 59, 59);
        status.tick();
        QCOMPARE(line.text(), "系统时间:2024-12-31  星期二  23:59:59");
    }

    // In other time zones too, so a conversion kept from an earlier zone would show.
    void systemClockReadsLocalTime() {
        const QByteArray configured = qgetenv("TZ");
        for (const char* zone : {"CST-8", "EST5", "UTC0"}) {
            qputenv("TZ", zone);
            const QDateTime before = QDateTime::currentDateTime();
            SystemClock clock;
            const QDateTime read(clock.today(), clock.timeOfDay());
            QVERIFY2(read > before.addSecs(-2) && read <= QDateTime::currentDateTime(), zone);
        }
        configured.isNull() ? qunsetenv("TZ") : qputenv("TZ", configured);
    }
};

QTEST_MAIN(StatusClockTest)
#include "status_clock_test.moc"
