#pragma once

#include "clock.h"

#include <QLabel>
#include <string>

namespace tavrello {

// "系统时间:2007-3-25  星期天  6:3:5": seven separate readings of the clock, in the order
// weekday, year, month, day, hour, minute, second; no leading zeros. UTF-8.
std::string clockLine(Clock& clock);

// Keeps the status line current. Ticks come every millisecond, so a tick only touches the
// label when the line has changed.
class StatusClock {
  public:
    StatusClock(Clock& clock, QLabel& line);

    void tick();

  private:
    Clock& clock_;
    QLabel& line_;
    std::string shown_;
};

} // namespace tavrello
