#include "precise_timer_alarm.h"
#include "status_clock.h"
#include "window_driver.h"

#ifdef __linux__
#include "timer_fd_alarm.h"
#endif

#include <QTest>

using namespace tavrello;
using namespace std::chrono;

namespace {

// Records where it is armed and rings when the test says.
class ManualAlarm final : public WallClockAlarm {
  public:
    void arm(WallTime instant) override { armed = instant; }

    WallTime armed{};
};

const WallTime sundayMorning = FixedClock().instant;

} // namespace

class ClockTest : public QObject {
    Q_OBJECT

  private slots:
    // Date, weekday and time without leading zeros, on each day of a week and at a year's end.
    void lineShowsTheMoment() {
        FixedClock clock;
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
    // Times in microseconds after Sunday morning: the ring, then the instant armed.
    void eachTickShowsItsMomentAndArmsTheNextWholeSecond() {
        const std::tuple<qint64, QString, qint64> rings[] = {
            {300'000, "2007-3-25  星期天  6:3:5", 1'000'000},
            {0, "2007-3-25  星期天  6:3:5", 1'000'000},
            {-400, "2007-3-25  星期天  6:3:4", 0},
            {-21'786'000'000, "2007-3-24  星期六  23:59:59", -21'785'000'000},
            {31'622'400'750'000, "2008-3-25  星期二  6:3:5", 31'622'401'000'000}};
        for (const auto& [ringUs, line, armedUs] : rings) {
            FixedClock clock;
            clock.instant -= milliseconds(500);
            auto owned = std::make_unique<ManualAlarm>();
            ManualAlarm& alarm = *owned;
            WholeSecondTimer timer(std::move(owned), [&] { return clock.instant; });
            QLabel label;
            StatusClock status(clock, label);
            connect(&timer, &WholeSecondTimer::timeout, [&] { status.tick(); });
            QTRY_COMPARE(label.text(), QString("系统时间:2007-3-25  星期天  6:3:4"));
            QCOMPARE(alarm.armed, sundayMorning);
            clock.instant = sundayMorning + microseconds(ringUs);
            emit alarm.rang();
            QCOMPARE(label.text(), "系统时间:" + line);
            QCOMPARE(alarm.armed, sundayMorning + microseconds(armedUs));
        }
    }

    void alarmRingsOnceAtTheInstant() {
        std::vector<std::unique_ptr<WallClockAlarm>> alarms;
        alarms.push_back(std::make_unique<PreciseTimerAlarm>(systemWallTime));
#ifdef __linux__
        alarms.push_back(TimerFdAlarm::open());
#endif
        for (const auto& alarm : alarms) {
            std::vector<WallTime> rings;
            connect(alarm.get(), &WallClockAlarm::rang, [&] { rings.push_back(systemWallTime()); });
            const WallTime instant = systemWallTime() + milliseconds(150);
            alarm->arm(instant - milliseconds(100)); // replaced by the next
            alarm->arm(instant);
            QTest::qWait(400);
            QCOMPARE(rings.size(), std::size_t{1});
            QVERIFY(rings.front() >= instant && rings.front() < instant + milliseconds(250));
        }
    }

    // The whole window on the system clock: the line keeps turning over, in the time zone
    // of the moment.
    void windowLineTurnsOverEachSecondInTheZoneOfTheMoment() {
        const QByteArray configured = qgetenv("TZ");
        qputenv("TZ", "UTC0");
        Recorder reporter;
        SystemClock clock;
        Form1 form(reporter, clock);
        auto& line = control<QLabel>(form, "Label10");
        QTRY_VERIFY(!line.text().isEmpty());
        qputenv("TZ", "CST-8");
        for (int second = 0; second < 2; ++second) {
            const QString previous = line.text();
            QTRY_VERIFY_WITH_TIMEOUT(line.text() != previous, 1500);
            FixedClock eightHoursEast;
            eightHoursEast.instant = systemWallTime() + hours(8);
            QCOMPARE(line.text(), clockLine(eightHoursEast));
        }
        configured.isNull() ? qunsetenv("TZ") : qputenv("TZ", configured);
    }
};

QTEST_MAIN(ClockTest)
#include "clock_test.moc"
