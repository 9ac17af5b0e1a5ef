#include "status_clock.h"

#include <QDateTime>
#include <QLabel>
#include <QTest>
#include <deque>

using namespace tavrello;

namespace {

// Answers each reading with the next scripted value, so a test sees which reading fed
// which piece of the line.
class ScriptedClock final : public Clock {
  public:
    ScriptedClock(std::deque<QDate> dates, std::deque<QTime> times)
        : dates_(std::move(dates)), times_(std::move(times)) {}

    QDate today() override { return next(dates_); }
    QTime timeOfDay() override { return next(times_); }

    bool allRead() const { return dates_.empty() && times_.empty(); }

  private:
    template <typename Value> static Value next(std::deque<Value>& script) {
        if (script.empty()) {
            qFatal("more clock readings than scripted");
        }
        Value value = script.front();
        script.pop_front();
        return value;
    }

    std::deque<QDate> dates_;
    std::deque<QTime> times_;
};

ScriptedClock steadyClock(QDate date, QTime time) {
    return ScriptedClock({date, date, date, date}, {time, time, time});
}

QString lineOf(Clock& clock) {
    ClockLineBuffer buffer;
    const std::string_view line = writeClockLine(clock, buffer);
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

} // namespace

class StatusClockTest : public QObject {
    Q_OBJECT

  private slots:
    void lineShowsDateWeekdayAndTime_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("line");
        QTest::newRow("Sunday morning")
            << QDate(2007, 3, 25) << QTime(6, 3, 5) << "系统时间:2007-3-25  星期天  6:3:5";
        QTest::newRow("single digits")
            << QDate(2007, 3, 5) << QTime(9, 5, 3) << "系统时间:2007-3-5  星期一  9:5:3";
        QTest::newRow("midnight") << QDate(2007, 3, 27) << QTime(0, 0, 0)
                                  << "系统时间:2007-3-27  星期二  0:0:0";
        QTest::newRow("two digits everywhere")
            << QDate(2024, 12, 31) << QTime(23, 59, 59) << "系统时间:2024-12-31  星期二  23:59:59";
        const QStringList names = {"星期天", "星期一", "星期二", "星期三",
                                   "星期四", "星期五", "星期六"};
        for (int day = 0; day < 7; ++day) {
            // 25 March 2007 was a Sunday.
            QTest::addRow("weekday %d", day)
                << QDate(2007, 3, 25 + day) << QTime(12, 0, 0)
                << QString("系统时间:2007-3-%1  %2  12:0:0").arg(25 + day).arg(names[day]);
        }
    }

    void lineShowsDateWeekdayAndTime() {
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(QString, line);
        ScriptedClock clock = steadyClock(date, time);
        QCOMPARE(lineOf(clock), line);
        QVERIFY(clock.allRead());
    }

    // At a boundary each piece shows the instant of its own reading.
    void eachPieceIsAReadingOfItsOwn() {
        const QDate march31(2007, 3, 31);
        const QDate april1(2007, 4, 1);
        ScriptedClock clock({march31, march31, march31, april1},
                            {QTime(23, 59, 59), QTime(23, 59, 59), QTime(0, 0, 0)});
        QCOMPARE(lineOf(clock), QString("系统时间:2007-3-1  星期六  23:59:0"));
        QVERIFY(clock.allRead());
    }

    void tickWritesTheLineIntoTheLabel() {
        ScriptedClock first = steadyClock(QDate(2007, 3, 25), QTime(6, 3, 5));
        QLabel line;
        StatusClock(first, line).tick();
        QCOMPARE(line.text(), QString("系统时间:2007-3-25  星期天  6:3:5"));
        ScriptedClock second = steadyClock(QDate(2007, 3, 25), QTime(6, 3, 6));
        StatusClock(second, line).tick();
        QCOMPARE(line.text(), QString("系统时间:2007-3-25  星期天  6:3:6"));
    }

    // The system clock's readings are the local time of the moment.
    void systemClockReadsLocalTime_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("as configured") << QByteArray();
        QTest::newRow("eight hours east") << QByteArray("CST-8");
        QTest::newRow("five hours west") << QByteArray("EST5");
    }

    void systemClockReadsLocalTime() {
        QFETCH(QByteArray, zone);
        const QByteArray configured = qgetenv("TZ");
        if (!zone.isEmpty()) {
            qputenv("TZ", zone);
        }
        const QDateTime before = QDateTime::currentDateTime();
        SystemClock clock;
        const QDate date = clock.today();
        const QTime time = clock.timeOfDay();
        const QDateTime after = QDateTime::currentDateTime();
        configured.isNull() ? qunsetenv("TZ") : qputenv("TZ", configured);
        const QDateTime read(date, time);
        // Whole seconds, from a clock that may lag the precise one by a scheduler tick.
        QVERIFY2(read > before.addSecs(-2) && read <= after,
                 qPrintable(read.toString(Qt::ISODate) + " outside " +
                            before.toString(Qt::ISODateWithMs) + " to " +
                            after.toString(Qt::ISODateWithMs)));
    }
};

QTEST_MAIN(StatusClockTest)
#include "status_clock_test.moc"
