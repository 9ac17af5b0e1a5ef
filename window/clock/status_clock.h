// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QLabel>
#include <QTime>
#include <array>
#include <string_view>

namespace tavrello {

// The system clock in local time. Every call is a reading of its own.
class Clock {
  public:
    virtual ~Clock() = default;

    virtual QDate today() = 0;
    virtual QTime timeOfDay() = 0;
};

// Each reading converts the precise time of its moment, in the time zone of that moment.
class SystemClock final : public Clock {
  public:
    QDate today() override;
    QTime timeOfDay() override;
};

// Room for the longest line: the caption, a weekday name, six integers of up to 11
// characters and the separators.
using ClockLineBuffer = std::array<char, 128>;

// "系统时间:2007-3-25  星期天  6:3:5": seven separate readings of the clock, in the order
// weekday, year, month, day, hour, minute, second; no leading zeros. UTF-8, written into the
// buffer without allocating.
std::string_view writeClockLine(Clock& clock, ClockLineBuffer& buffer);

// The same line as a text of its own.
QString clockLine(Clock& clock);

// Keeps the status line current: each tick writes the line of its moment.
class StatusClock {
  public:
    StatusClock(Clock& clock, QLabel& line);

    void tick();

  private:
    Clock& clock_;
    QLabel& line_;
};

} // namespace tavrello
