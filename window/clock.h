// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QTime>

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

} // namespace tavrello
