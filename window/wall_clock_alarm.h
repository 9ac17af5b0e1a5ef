// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

namespace tavrello {

using WallTime = std::chrono::system_clock::time_point;

// Where the wall clock stands now; tests put it where they need it.
using WallClockReading = std::function<WallTime()>;

WallTime systemWallTime();

// Rings once at an instant of the wall clock; arming again replaces the instant.
class WallClockAlarm : public QObject {
    Q_OBJECT

  public:
    virtual void arm(WallTime instant) = 0;

  signals:
    // At the instant, or at once when the system clock is set on a platform that tells.
    void rang();
};

// The best alarm the platform has.
std::unique_ptr<WallClockAlarm> systemAlarm();

} // namespace tavrello
