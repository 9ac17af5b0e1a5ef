// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/termination_signals.h"

#ifdef Q_OS_UNIX

#include <QApplication>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tavrello {

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
std::array<int, 2> signalPipe = {-1, -1};
constexpr std::array<int, 2> stopSignals = {SIGTERM, SIGINT};

void writeToPipe(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

void handleSignals(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : stopSignals) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace

TerminationSignals::TerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe.data()) != 0) {
        qFatal("no socket pair for the stop signals");
    }
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
        QApplication::closeAllWindows();
    });
    handleSignals(writeToPipe);
}

TerminationSignals::~TerminationSignals() {
    handleSignals(SIG_DFL);
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe = {-1, -1};
}

} // namespace tavrello

#else

namespace tavrello {

// Windows asks a program to stop with WM_CLOSE, which Qt already turns into a close.
TerminationSignals::TerminationSignals() {}
TerminationSignals::~TerminationSignals() = default;

} // namespace tavrello

#endif
