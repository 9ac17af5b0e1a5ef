// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock.h"

#include <algorithm>
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

} // namespace tavrello
