// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "wall_clock_alarm.h"

#include <QTimer>

namespace tavrello {

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

} // namespace tavrello
