// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#ifdef __linux__
#include <QSocketNotifier>
#endif

namespace tavrello {

using WallTime = std::chrono::system_clock::time_point;

// Where the wall clock stands now; tests put it where they need it.
using WallClockReading = std::function<WallTime()>;

WallTime systemWallTime();

// The first whole second after the instant.
WallTime nextWholeSecond(WallTime now);

// Rings once at an instant of the wall clock; arming again replaces the instant.
class WallClockAlarm : public QObject {
    Q_OBJECT

  public:
    virtual void arm(WallTime instant) = 0;

  signals:
    // At the instant, or at once when the system clock is set on a platform that tells.
    void rang();
};

// A timer on the steady clock for the time left until the instant, where the platform has no
// timer on the wall clock. A clock set meanwhile shows at the next ring, within a second.
class PreciseTimerAlarm final : public WallClockAlarm {
  public:
    explicit PreciseTimerAlarm(WallClockReading now);

    void arm(WallTime instant) override;

  private:
    WallClockReading now_;
    QTimer timer_;
};

#ifdef __linux__
// A timer of the kernel on the wall clock itself. Setting the clock (by hand, by time
// synchronisation, on resume) cancels it, and the cancellation rings the alarm at once.
class TimerFdAlarm final : public WallClockAlarm {
  public:
    // None where the kernel gives no timer; the reason goes to the log.
    static std::unique_ptr<TimerFdAlarm> open();

    TimerFdAlarm(const TimerFdAlarm&) = delete;
    TimerFdAlarm& operator=(const TimerFdAlarm&) = delete;
    ~TimerFdAlarm() override;

    void arm(WallTime instant) override;

  private:
    explicit TimerFdAlarm(int descriptor);

    void readExpiry();

    int descriptor_;
    QSocketNotifier notifier_;
};
#endif

// The best alarm the platform has.
std::unique_ptr<WallClockAlarm> systemAlarm();

// Timer1 of the window. Times out once as soon as the event loop runs, then whenever a second
// of the wall clock begins, and whenever the alarm rings early because the clock was set: a
// clock line turns over on the second while the program wakes once a second.
class WholeSecondTimer : public QObject {
    Q_OBJECT

  public:
    WholeSecondTimer(std::unique_ptr<WallClockAlarm> alarm, WallClockReading now,
                     QObject* parent = nullptr);

  signals:
    void timeout();

  private:
    void fire();

    std::unique_ptr<WallClockAlarm> alarm_;
    WallClockReading now_;
};

} // namespace tavrello
