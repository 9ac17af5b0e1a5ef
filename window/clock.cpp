#include "clock.h"

#include <algorithm>

namespace tavrello {

namespace {

constexpr int lastSecondOfMinute = 59;

std::tm localTimeOf(std::time_t second) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &second);
#else
    // Picks up a change of the time zone, at one file status check a second.
    tzset();
    localtime_r(&second, &local);
#endif
    return local;
}

} // namespace

const std::tm& SystemClock::localTime() {
    const std::time_t second = std::time(nullptr);
    if (convertedSecond_ != second) {
        local_ = localTimeOf(second);
        convertedSecond_ = second;
    }
    return local_;
}

QDate SystemClock::today() {
    const std::tm& local = localTime();
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

QTime SystemClock::timeOfDay() {
    const std::tm& local = localTime();
    // A leap second shows as the last second of its minute.
    return {local.tm_hour, local.tm_min, std::min(local.tm_sec, lastSecondOfMinute)};
}

} // namespace tavrello
