#include "precise_timer_alarm.h"
#include "status_clock.h"
#include "window_driver.h"

#ifdef __linux__
#include "timer_fd_alarm.h"
#endif

#include <QDateTime>
#include <QTest>

using namespace tavrello;
using namespace std::chrono;

namespace {

// Sunday 25 March 2007, 6:03:05 UTC.
const WallTime sundayMorning{seconds(1174802585)};

// Records where it is armed and rings when the test says.
class ManualAlarm final : public WallClockAlarm {
  public:
    void arm(WallTime instant) override { armed = instant; }

    WallTime armed{};
};

// Shows UTC at an instant the test sets, for the line and the schedule alike.
class SettableClock final : public Clock {
  public:
    explicit SettableClock(WallTime start) : instant(start) {}

    QDate today() override { return utc().date(); }
    QTime timeOfDay() override { return utc().time(); }

    WallTime instant;

  private:
    QDateTime utc() const {
        return QDateTime::fromMSecsSinceEpoch(
                   floor<milliseconds>(instant.time_since_epoch()).count())
            .toUTC();
    }
};

} // namespace

class ClockTest : public QObject {
    Q_OBJECT

  private slots:
    // Date, weekday and time without leading zeros, on each day of a week and at a year's end.
    void lineShowsTheMoment() {
        SettableClock clock(sundayMorning);
        const QString weekdays = "天一二三四五六";
        for (int day = 0; day < 7; ++day) {
            clock.instant = sundayMorning + days(day) + seconds(day);
            QCOMPARE(clockLine(clock), QString("系统时间:2007-3-%1  星期%2  6:3:%3")
                                           .arg(25 + day)
                                           .arg(weekdays[day])
                                           .arg(5 + day));
        }
        clock.instant = WallTime(seconds(1735689599));
        QCOMPARE(clockLine(clock), "系统时间:2024-12-31  星期二  23:59:59");
    }

    // After the first tick the alarm rings at the instant armed, a little early, or anywhere
    // when the clock was set: each tick shows its moment and arms for the next whole second.
    void eachTickShowsItsMomentAndArmsTheNextWholeSecond_data() {
        QTest::addColumn<qint64>("ringUs");
        QTest::addColumn<QString>("line");
        QTest::addColumn<qint64>("armedUs");
        QTest::newRow("mid-second")
            << qint64{300'000} << "系统时间:2007-3-25  星期天  6:3:5" << qint64{1'000'000};
        QTest::newRow("on the second")
            << qint64{0} << "系统时间:2007-3-25  星期天  6:3:5" << qint64{1'000'000};
        QTest::newRow("a little early")
            << qint64{-400} << "系统时间:2007-3-25  星期天  6:3:4" << qint64{0};
        QTest::newRow("set back past midnight")
            << qint64{-21'786'000'000} << "系统时间:2007-3-24  星期六  23:59:59"
            << qint64{-21'785'000'000};
        QTest::newRow("set forward a year")
            << qint64{31'622'400'750'000} << "系统时间:2008-3-25  星期二  6:3:5"
            << qint64{31'622'401'000'000};
    }

    void eachTickShowsItsMomentAndArmsTheNextWholeSecond() {
        QFETCH(qint64, ringUs);
        SettableClock clock(sundayMorning - milliseconds(500));
        auto owned = std::make_unique<ManualAlarm>();
        ManualAlarm& alarm = *owned;
        WholeSecondTimer timer(std::move(owned), [&] { return clock.instant; });
        QLabel label;
        StatusClock status(clock, label);
        connect(&timer, &WholeSecondTimer::timeout, [&] { status.tick(); });
        const auto armedAfterMorning = [&]() -> qint64 {
            return (alarm.armed - sundayMorning) / 1us;
        };
        QTRY_COMPARE(label.text(), QString("系统时间:2007-3-25  星期天  6:3:4"));
        QCOMPARE(armedAfterMorning(), qint64{0});
        clock.instant = sundayMorning + microseconds(ringUs);
        emit alarm.rang();
        QTEST(label.text(), "line");
        QTEST(armedAfterMorning(), "armedUs");
    }

    void alarmRingsOnceAtTheInstant_data() {
        QTest::addColumn<bool>("onWallClock");
#ifdef __linux__
        QTest::newRow("timer on the wall clock") << true;
#endif
        QTest::newRow("precise timer") << false;
    }

    void alarmRingsOnceAtTheInstant() {
        QFETCH(bool, onWallClock);
        std::unique_ptr<WallClockAlarm> alarm = std::make_unique<PreciseTimerAlarm>(systemWallTime);
#ifdef __linux__
        if (onWallClock) {
            alarm = TimerFdAlarm::open();
        }
#else
        Q_UNUSED(onWallClock);
#endif
        std::vector<WallTime> rings;
        connect(alarm.get(), &WallClockAlarm::rang, [&] { rings.push_back(systemWallTime()); });
        const WallTime instant = systemWallTime() + milliseconds(150);
        alarm->arm(instant - milliseconds(100)); // replaced by the next
        alarm->arm(instant);
        QTest::qWait(400);
        QCOMPARE(rings.size(), std::size_t{1});
        QVERIFY2(rings.front() >= instant && rings.front() < instant + milliseconds(250),
                 "rang at the wrong time");
    }

    // The whole window on the system clock: the line keeps turning over, in the time zone
    // of the moment.
    void windowLineTurnsOverEachSecondInTheZoneOfTheMoment() {
        const QByteArray configured = qgetenv("TZ");
        qputenv("TZ", "UTC0");
        RecordingReporter reporter;
        SystemClock clock;
        Form1 form(reporter, clock);
        auto& line = control<QLabel>(form, "Label10");
        QTRY_VERIFY(!line.text().isEmpty());
        qputenv("TZ", "CST-8");
        for (int second = 0; second < 2; ++second) {
            const QString previous = line.text();
            QTRY_VERIFY_WITH_TIMEOUT(line.text() != previous, 1500);
            SettableClock eightHoursEast(systemWallTime() + hours(8));
            QCOMPARE(line.text(), clockLine(eightHoursEast));
        }
        configured.isNull() ? qunsetenv("TZ") : qputenv("TZ", configured);
    }
};

QTEST_MAIN(ClockTest)
#include "clock_test.moc"
