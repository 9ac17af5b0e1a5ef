#pragma once

#include <QDate>
#include <QTime>
#include <ctime>
#include <optional>

namespace tavrello {

// The system clock in local time. Every call is a reading of its own.
class Clock {
  public:
    virtual ~Clock() = default;

    virtual QDate today() = 0;
    virtual QTime timeOfDay() = 0;
};

// Read every millisecond by the status line, so a reading must cost next to nothing: the
// seconds come from the C library's time(), which on Linux reads memory the kernel shares
// without a system call, and the conversion to local time, the expensive part, is done once
// for each new second.
class SystemClock final : public Clock {
  public:
    QDate today() override;
    QTime timeOfDay() override;

  private:
    const std::tm& localTime();

    std::optional<std::time_t> convertedSecond_;
    std::tm local_{};
};

} // namespace tavrello
