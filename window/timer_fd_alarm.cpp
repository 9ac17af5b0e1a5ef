// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timer_fd_alarm.h"

#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

namespace tavrello {

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

} // namespace tavrello
