// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/clock/status_clock.h"
#include "window/clock/whole_second_timer.h"
#include "window/tests/window_driver.h"

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
    // After the first tick the alarm rings at the instant armed, a little early, or anywhere
    // when the clock was set: each tick shows its moment, with no leading zeros, and arms for
    // the next whole second. Times after Sunday morning: the ring, then the instant armed.
    void eachTickShowsItsMomentAndArmsTheNextWholeSecond() {
        const seconds newYearsEve =
            sys_days(year(2024) / 12 / 31) + 23h + 59min + 59s - floor<seconds>(sundayMorning);
        const std::tuple<microseconds, QString, microseconds> rings[] = {
            {300ms, "2007-3-25  星期天  6:3:5", 1s},
            {0s, "2007-3-25  星期天  6:3:5", 1s},
            {-400us, "2007-3-25  星期天  6:3:4", 0s},
            {-6h - 3min - 6s, "2007-3-24  星期六  23:59:59", -6h - 3min - 5s},
            {days(1) + 1s, "2007-3-26  星期一  6:3:6", days(1) + 2s},
            {days(2) + 2s, "2007-3-27  星期二  6:3:7", days(2) + 3s},
            {days(3) + 3s, "2007-3-28  星期三  6:3:8", days(3) + 4s},
            {days(4) + 4s, "2007-3-29  星期四  6:3:9", days(4) + 5s},
            {days(5) + 5s + 999ms, "2007-3-30  星期五  6:3:10", days(5) + 6s},
            {days(366) + 750ms, "2008-3-25  星期二  6:3:5", days(366) + 1s},
            {newYearsEve, "2024-12-31  星期二  23:59:59", newYearsEve + 1s}};
        for (const auto& [ring, line, armed] : rings) {
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
            clock.instant = sundayMorning + ring;
            emit alarm.rang();
            QCOMPARE(label.text(), "系统时间:" + line);
            QCOMPARE(alarm.armed, sundayMorning + armed);
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
