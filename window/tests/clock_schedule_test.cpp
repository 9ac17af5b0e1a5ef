#include "precise_timer_alarm.h"
#include "status_clock.h"
#include "whole_second_timer.h"
#include "window_driver.h"

#ifdef __linux__
#include "timer_fd_alarm.h"
#endif

#include <QDateTime>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace tavrello;
using namespace std::chrono_literals;

namespace {

// Sunday 25 March 2007, 6:03:05 UTC.
const WallTime sundayMorning{1174802585s};

qint64 nanosecondsOf(WallTime instant) {
    return std::chrono::nanoseconds(instant.time_since_epoch()).count();
}

// Records where it is armed and rings when the test says.
class ManualAlarm final : public WallClockAlarm {
  public:
    void arm(WallTime instant) override { armed.push_back(instant); }
    void ring() { emit rang(); }

    std::vector<WallTime> armed;
};

// A clock that shows UTC at an instant the test sets, for the line and the schedule alike.
class SettableClock final : public Clock {
  public:
    explicit SettableClock(WallTime start) : instant(start) {}

    QDate today() override { return utc().date(); }
    QTime timeOfDay() override { return utc().time(); }

    WallTime instant;

  private:
    QDateTime utc() const {
        const auto ms = std::chrono::floor<std::chrono::milliseconds>(instant.time_since_epoch());
        return QDateTime::fromMSecsSinceEpoch(ms.count()).toUTC();
    }
};

QString lineOf(Clock& clock) {
    ClockLineBuffer buffer;
    const std::string_view line = writeClockLine(clock, buffer);
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

// The clock line wired to a timer whose alarm the test rings.
struct DrivenLine {
    DrivenLine(Clock& clock, WallClockReading now) : status(clock, label) {
        auto owned = std::make_unique<ManualAlarm>();
        alarm = owned.get();
        timer = std::make_unique<WholeSecondTimer>(std::move(owned), std::move(now));
        QObject::connect(timer.get(), &WholeSecondTimer::timeout, [this] { status.tick(); });
    }

    QLabel label;
    StatusClock status;
    ManualAlarm* alarm = nullptr;
    std::unique_ptr<WholeSecondTimer> timer;
};

void setZone(const QByteArray& zone) {
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
}

} // namespace

class ClockScheduleTest : public QObject {
    Q_OBJECT

  private slots:
    void eachArmIsForTheNextWholeSecond_data() {
        QTest::addColumn<qint64>("wokenAfterNs");
        QTest::addColumn<qint64>("armedAfterNs");
        QTest::newRow("just after a second") << qint64{1} << qint64{1'000'000'000};
        QTest::newRow("mid-second") << qint64{300'000'000} << qint64{1'000'000'000};
        QTest::newRow("just before the next") << qint64{999'999'999} << qint64{1'000'000'000};
        // Not for the second just begun, which would time out twice.
        QTest::newRow("on the second") << qint64{0} << qint64{1'000'000'000};
        QTest::newRow("woken a little early") << qint64{-400'000} << qint64{0};
    }

    void eachArmIsForTheNextWholeSecond() {
        QFETCH(qint64, wokenAfterNs);
        QFETCH(qint64, armedAfterNs);
        const WallTime woken = sundayMorning + std::chrono::nanoseconds(wokenAfterNs);
        SettableClock clock(woken);
        DrivenLine driven(clock, [&] { return clock.instant; });
        QVERIFY(driven.label.text().isEmpty());
        QTRY_COMPARE(driven.alarm->armed.size(), std::size_t{1});
        driven.alarm->ring();
        QCOMPARE(driven.alarm->armed.size(), std::size_t{2});
        for (const WallTime armed : driven.alarm->armed) {
            QCOMPARE(nanosecondsOf(armed), nanosecondsOf(sundayMorning) + armedAfterNs);
        }
        QCOMPARE(driven.label.text(), lineOf(clock));
    }

    // The alarm rings at once when the clock is set; the line and the schedule follow the new
    // time at that ring, not at the instant armed before.
    void clockSetShowsAtOnce_data() {
        QTest::addColumn<qint64>("setToNs");
        QTest::addColumn<QString>("line");
        QTest::newRow("back six hours") << qint64{(1174802585 - 6 * 3600) * 1'000'000'000LL + 250}
                                        << "系统时间:2007-3-25  星期天  0:3:5";
        QTest::newRow("forward a year")
            << qint64{(1174802585 + 366 * 86400) * 1'000'000'000LL + 750'000'000}
            << "系统时间:2008-3-25  星期二  6:3:5";
        QTest::newRow("back past midnight")
            << qint64{(1174802585 - 6 * 3600 - 3 * 60 - 6) * 1'000'000'000LL}
            << "系统时间:2007-3-24  星期六  23:59:59";
    }

    void clockSetShowsAtOnce() {
        QFETCH(qint64, setToNs);
        QFETCH(QString, line);
        SettableClock clock(sundayMorning + 500ms);
        DrivenLine driven(clock, [&] { return clock.instant; });
        QTRY_COMPARE(driven.label.text(), QString("系统时间:2007-3-25  星期天  6:3:5"));
        const WallTime setTo{std::chrono::nanoseconds(setToNs)};
        clock.instant = setTo;
        driven.alarm->ring();
        QCOMPARE(driven.label.text(), line);
        QCOMPARE(nanosecondsOf(driven.alarm->armed.back()),
                 nanosecondsOf(std::chrono::floor<std::chrono::seconds>(setTo) + 1s));
    }

    void zoneChangeShowsOnTheNextTick() {
        const QByteArray configured = qgetenv("TZ");
        setZone("UTC0");
        SystemClock clock;
        DrivenLine driven(clock, systemWallTime);
        QTRY_VERIFY(!driven.label.text().isEmpty());
        const QString utcLine = driven.label.text();
        setZone("CST-8");
        const WallTime before = systemWallTime();
        driven.alarm->ring();
        const WallTime after = systemWallTime();
        setZone(configured);
        SettableClock eightHoursEast(before + 8h);
        const QString early = lineOf(eightHoursEast);
        eightHoursEast.instant = after + 8h;
        const QString late = lineOf(eightHoursEast);
        QVERIFY2(driven.label.text() == early || driven.label.text() == late,
                 qPrintable(utcLine + " became " + driven.label.text() + ", not " + late));
    }

    void alarmRingsOnceAtTheInstant_data() {
        QTest::addColumn<bool>("wallClockTimer");
#ifdef __linux__
        QTest::newRow("timer on the wall clock") << true;
#endif
        QTest::newRow("precise timer") << false;
    }

    void alarmRingsOnceAtTheInstant() {
        QFETCH(bool, wallClockTimer);
        std::unique_ptr<WallClockAlarm> alarm = std::make_unique<PreciseTimerAlarm>(systemWallTime);
#ifdef __linux__
        if (wallClockTimer) {
            alarm = TimerFdAlarm::open();
            QVERIFY(alarm);
        }
#endif
        std::vector<WallTime> rings;
        QObject::connect(alarm.get(), &WallClockAlarm::rang,
                         [&] { rings.push_back(systemWallTime()); });
        const WallTime instant = systemWallTime() + 150ms;
        // Arming again replaces the earlier instant.
        alarm->arm(instant - 100ms);
        alarm->arm(instant);
        QTRY_COMPARE(rings.size(), std::size_t{1});
        QTest::qWait(200);
        QCOMPARE(rings.size(), std::size_t{1});
        QVERIFY2(rings.front() >= instant, "rang early");
        QVERIFY2(rings.front() < instant + 250ms, "rang late");
    }

    // The whole window with the system clock: the line keeps turning over, and each new line
    // is the time of its moment.
    void windowLineTurnsOverEverySecond() {
        RecordingReporter reporter;
        SystemClock clock;
        Form1 form(reporter, clock);
        auto& line = control<QLabel>(form, "Label10");
        QTRY_VERIFY(!line.text().isEmpty());
        for (int second = 0; second < 2; ++second) {
            const QString previous = line.text();
            QTRY_VERIFY_WITH_TIMEOUT(line.text() != previous, 1500);
            QCOMPARE(line.text(), lineOf(clock));
        }
    }
};

QTEST_MAIN(ClockScheduleTest)
#include "clock_schedule_test.moc"
