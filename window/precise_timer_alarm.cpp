// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "precise_timer_alarm.h"

#include <algorithm>

namespace tavrello {

PreciseTimerAlarm::PreciseTimerAlarm(WallClockReading now) : now_(std::move(now)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &WallClockAlarm::rang);
}

void PreciseTimerAlarm::arm(WallTime instant) {
    // Rounded up, so that the ring does not come before the instant.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(instant - now_());
    timer_.start(std::max(left, std::chrono::milliseconds::zero()));
}

} // namespace tavrello
