// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/clock/whole_second_timer.h"

#include <algorithm>

#ifdef __linux__
#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace tavrello {

WallTime systemWallTime() {
    return std::chrono::system_clock::now();
}

WallTime nextWholeSecond(WallTime now) {
    return std::chrono::floor<std::chrono::seconds>(now) + std::chrono::seconds(1);
}

PreciseTimerAlarm::PreciseTimerAlarm(WallClockReading now) : now_(std::move(now)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &WallClockAlarm::rang);
}

void PreciseTimerAlarm::arm(WallTime instant) {
    // Rounded up, so that the ring does not come before the instant.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(instant - now_());
    timer_.start(std::max(left, std::chrono::milliseconds::zero()));
}

#ifdef __linux__

namespace {

void logFailure(const char* call, int error) {
    qWarning("the status clock's timer: %s failed with error %d, %s", call, error,
             qPrintable(qt_error_string(error)));
}

itimerspec expiryAt(WallTime instant) {
    using namespace std::chrono;
    const nanoseconds sinceEpoch = instant.time_since_epoch();
    const seconds whole = floor<seconds>(sinceEpoch);
    itimerspec expiry{};
    expiry.it_value.tv_sec = static_cast<std::time_t>(whole.count());
    expiry.it_value.tv_nsec = static_cast<long>((sinceEpoch - whole).count());
    return expiry;
}

} // namespace

std::unique_ptr<TimerFdAlarm> TimerFdAlarm::open() {
    const int descriptor = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (descriptor < 0) {
        logFailure("timerfd_create", errno);
        return nullptr;
    }
    return std::unique_ptr<TimerFdAlarm>(new TimerFdAlarm(descriptor));
}

TimerFdAlarm::TimerFdAlarm(int descriptor)
    : descriptor_(descriptor), notifier_(descriptor, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, &TimerFdAlarm::readExpiry);
}

TimerFdAlarm::~TimerFdAlarm() {
    notifier_.setEnabled(false);
    ::close(descriptor_);
}

void TimerFdAlarm::arm(WallTime instant) {
    const itimerspec expiry = expiryAt(instant);
    if (timerfd_settime(descriptor_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry,
                        nullptr) != 0) {
        logFailure("timerfd_settime", errno);
    }
}

void TimerFdAlarm::readExpiry() {
    std::uint64_t expirations = 0;
    if (::read(descriptor_, &expirations, sizeof expirations) < 0) {
        const int error = errno;
        if (error == EAGAIN) {
            return;
        }
        // ECANCELED: the clock was set, and the armed instant now falls at another moment.
        if (error != ECANCELED) {
            logFailure("read", error);
        }
    }
    emit rang();
}

#endif

std::unique_ptr<WallClockAlarm> systemAlarm() {
#ifdef __linux__
    if (std::unique_ptr<TimerFdAlarm> alarm = TimerFdAlarm::open()) {
        return alarm;
    }
#endif
    return std::make_unique<PreciseTimerAlarm>(systemWallTime);
}

WholeSecondTimer::WholeSecondTimer(std::unique_ptr<WallClockAlarm> alarm, WallClockReading now,
                                   QObject* parent)
    : QObject(parent), alarm_(std::move(alarm)), now_(std::move(now)) {
    connect(alarm_.get(), &WallClockAlarm::rang, this, &WholeSecondTimer::fire);
    // Queued, not called: the window is built first, and the line is there when it shows.
    QMetaObject::invokeMethod(this, &WholeSecondTimer::fire, Qt::QueuedConnection);
}

// Armed from the moment of waking, so a clock that was set, or a ring a little early, is
// caught up at once.
void WholeSecondTimer::fire() {
    alarm_->arm(nextWholeSecond(now_()));
    emit timeout();
}

} // namespace tavrello
