// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/clock/status_clock.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>

namespace tavrello {

namespace {

constexpr int lastSecondOfMinute = 59;

std::tm localNow() {
    // Not time(): Linux answers it from a coarse clock that may still give the second before
    // the one whose beginning woke the status line.
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    // Looking for a change of the time zone costs one file status check.
#ifdef _WIN32
    _tzset();
    localtime_s(&local, &now);
#else
    tzset();
    localtime_r(&now, &local);
#endif
    return local;
}

// Indexed by Qt's day of the week modulo 7, so Sunday (7) comes first.
constexpr std::array<std::string_view, 7> weekdayNames = {"星期天", "星期一", "星期二", "星期三",
                                                          "星期四", "星期五", "星期六"};

std::string_view weekdayName(const QDate& date) {
    return weekdayNames[static_cast<std::size_t>(date.dayOfWeek() % 7)];
}

// Appends to a buffer that the caller has sized for the longest line.
class LineWriter {
  public:
    explicit LineWriter(ClockLineBuffer& buffer) : start_(buffer.data()), end_(buffer.data()) {}

    LineWriter& operator<<(std::string_view text) {
        end_ = std::copy(text.begin(), text.end(), end_);
        return *this;
    }

    // The digits integerToText gives, without a string of their own.
    LineWriter& operator<<(int value) {
        end_ = std::to_chars(end_, end_ + maximumIntegerLength, value).ptr;
        return *this;
    }

    std::string_view line() const { return {start_, static_cast<std::size_t>(end_ - start_)}; }

  private:
    static constexpr int maximumIntegerLength = 11;

    char* start_;
    char* end_;
};

} // namespace

QDate SystemClock::today() {
    const std::tm local = localNow();
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

QTime SystemClock::timeOfDay() {
    const std::tm local = localNow();
    // A leap second shows as the last second of its minute.
    return {local.tm_hour, local.tm_min, std::min(local.tm_sec, lastSecondOfMinute)};
}

std::string_view writeClockLine(Clock& clock, ClockLineBuffer& buffer) {
    const std::string_view weekday = weekdayName(clock.today());
    const int year = clock.today().year();
    const int month = clock.today().month();
    const int day = clock.today().day();
    const int hour = clock.timeOfDay().hour();
    const int minute = clock.timeOfDay().minute();
    const int second = clock.timeOfDay().second();

    LineWriter writer(buffer);
    writer << "系统时间:" << year << "-" << month << "-" << day << "  " << weekday << "  " << hour
           << ":" << minute << ":" << second;
    return writer.line();
}

QString clockLine(Clock& clock) {
    ClockLineBuffer buffer;
    const std::string_view line = writeClockLine(clock, buffer);
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

StatusClock::StatusClock(Clock& clock, QLabel& line) : clock_(clock), line_(line) {}

void StatusClock::tick() {
    line_.setText(clockLine(clock_));
}

} // namespace tavrello
