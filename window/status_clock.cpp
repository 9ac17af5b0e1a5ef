#include "status_clock.h"

#include <array>
#include <number_text.h>
#include <string_view>

namespace tavrello {

namespace {

// Indexed by Qt's day of the week modulo 7, so Sunday (7) comes first.
constexpr std::array<std::string_view, 7> weekdayNames = {"星期天", "星期一", "星期二", "星期三",
                                                          "星期四", "星期五", "星期六"};

std::string_view weekdayName(const QDate& date) {
    return weekdayNames[static_cast<std::size_t>(date.dayOfWeek() % 7)];
}

} // namespace

std::string clockLine(Clock& clock) {
    const std::string_view weekday = weekdayName(clock.today());
    const int year = clock.today().year();
    const int month = clock.today().month();
    const int day = clock.today().day();
    const int hour = clock.timeOfDay().hour();
    const int minute = clock.timeOfDay().minute();
    const int second = clock.timeOfDay().second();

    std::string line;
    line.reserve(64);
    line += "系统时间:";
    line += integerToText(year);
    line += '-';
    line += integerToText(month);
    line += '-';
    line += integerToText(day);
    line += "  ";
    line += weekday;
    line += "  ";
    line += integerToText(hour);
    line += ':';
    line += integerToText(minute);
    line += ':';
    line += integerToText(second);
    return line;
}

StatusClock::StatusClock(Clock& clock, QLabel& line) : clock_(clock), line_(line) {}

void StatusClock::tick() {
    std::string line = clockLine(clock_);
    if (line != shown_) {
        shown_ = std::move(line);
        line_.setText(QString::fromStdString(shown_));
    }
}

} // namespace tavrello
