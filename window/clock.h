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

class SystemClock final : public Clock {
  public:
    QDate today() override { return QDate::currentDate(); }
    QTime timeOfDay() override { return QTime::currentTime(); }
};

} // namespace tavrello
