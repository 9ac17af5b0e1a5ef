// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "wall_clock_alarm.h"

namespace tavrello {

// The first whole second after the instant.
WallTime nextWholeSecond(WallTime now);

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
