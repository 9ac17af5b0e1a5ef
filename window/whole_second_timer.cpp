// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_second_timer.h"

namespace tavrello {

WallTime nextWholeSecond(WallTime now) {
    return std::chrono::floor<std::chrono::seconds>(now) + std::chrono::seconds(1);
}

WholeSecondTimer::WholeSecondTimer(std::unique_ptr<WallClockAlarm> alarm, WallClockReading now,
                                   QObject* parent)
    : QObject(parent), alarm_(std::move(alarm)), now_(std::move(now)) {
    connect(alarm_.get(), &WallClockAlarm::rang, this, &WholeSecondTimer::fire);
    // Queued, not called: the window is built first, and the line is there when it shows.
    QMetaObject::invokeMethod(this, &WholeSecondTimer::fire, Qt::QueuedConnection);
}

// Armed from the moment of waking, so a clock that was set, or a ring a little early, is
// caught up at once.
void WholeSecondTimer::fire() {
    alarm_->arm(nextWholeSecond(now_()));
    emit timeout();
}

} // namespace tavrello
