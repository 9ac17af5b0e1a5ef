// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "wall_clock_alarm.h"

#include <QSocketNotifier>

namespace tavrello {

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

} // namespace tavrello
