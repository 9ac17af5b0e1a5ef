// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wall_clock_alarm.h"

#include "precise_timer_alarm.h"

#ifdef __linux__
#include "timer_fd_alarm.h"
#endif

namespace tavrello {

WallTime systemWallTime() {
    return std::chrono::system_clock::now();
}

std::unique_ptr<WallClockAlarm> systemAlarm() {
#ifdef __linux__
    if (std::unique_ptr<TimerFdAlarm> alarm = TimerFdAlarm::open()) {
        return alarm;
    }
#endif
    return std::make_unique<PreciseTimerAlarm>(systemWallTime);
}

} // namespace tavrello
