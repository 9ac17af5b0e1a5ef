// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a program on the X display named by DISPLAY and measures it as a user meets it:
//   - microseconds from exec to the first MapNotify of a top-level window, as the X server
//     reports it, so no polling interval enters the figure;
//   - resident memory (VmRSS, kB) a given number of seconds after the start;
//   - over the following seconds, with the program left alone: CPU time of all its threads
//     (from schedstat, in nanoseconds) in % of one core; wake-ups, the voluntary and
//     involuntary context switches of all its threads, per second; and when the window's
//     picture changes: the first change in each second of the wall clock, taken as the moment
//     the X server reports damage to the window, gives how late after the second's beginning
//     the window showed it (median and 95th percentile, ms), and the share of seconds that
//     had a change.
// Prints the figures on one line ("-" where the window never changed) and ends the program.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double mapTimeout = 30;

double secondsSince(const timespec& start) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - start.tv_sec) +
           static_cast<double>(now.tv_nsec - start.tv_nsec) / 1e9;
}

timespec wallClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

// A window made a direct child of the root without override-redirect is a top-level window
// (there is no window manager to reparent it); menus and tooltips are override-redirect.
std::optional<Window> waitForTopLevelMap(Display* display, const timespec& start) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display) &&
                !event.xmap.override_redirect) {
                return event.xmap.window;
            }
        }
        const double left = mapTimeout - secondsSince(start);
        if (left <= 0) {
            return std::nullopt;
        }
        poll(&connection, 1, static_cast<int>(left * 1000) + 1);
    }
}

// Waits until the given time after the start; reports each damage to the window through
// onDamage and clears it, so that the next change is reported again.
template <typename OnDamage>
void watchUntil(Display* display, int damageEvent, Damage damage, const timespec& start,
                double until, OnDamage onDamage) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify) {
                onDamage(wallClock());
                XDamageSubtract(display, damage, None, None);
                XFlush(display);
            }
        }
        const double left = until - secondsSince(start);
        if (left <= 0) {
            return;
        }
        poll(&connection, 1, static_cast<int>(std::ceil(left * 1000)));
    }
}

long residentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Sums over the threads of a process, as they are now.
template <typename PerThread> long long sumOverThreads(pid_t pid, PerThread perThread) {
    long long sum = 0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        sum += perThread(task.path());
    }
    return sum;
}

long long cpuNanoseconds(pid_t pid) {
    return sumOverThreads(pid, [](const std::filesystem::path& task) {
        std::ifstream schedstat(task / "schedstat");
        long long onCpu = 0;
        schedstat >> onCpu;
        return onCpu;
    });
}

long long contextSwitches(pid_t pid) {
    return sumOverThreads(pid, [](const std::filesystem::path& task) {
        std::ifstream status(task / "status");
        std::string line;
        long long switches = 0;
        while (std::getline(status, line)) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                switches += std::stoll(line.substr(line.find(':') + 1));
            }
        }
        return switches;
    });
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

bool stillRunning(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s MEMORY_AT_SECONDS IDLE_SECONDS PROGRAM [ARGUMENT...]\n",
                     argv[0]);
        return 2;
    }
    const double memoryAt = std::atof(argv[1]);
    const double idleSeconds = std::atof(argv[2]);
    // A server that has only just started may not accept connections yet.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 0; display == nullptr && attempt < 50; ++attempt) {
        usleep(100000);
        display = XOpenDisplay(nullptr);
    }
    int damageEvent = 0;
    int damageError = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "cannot open the X display with its damage extension\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    const std::optional<Window> window = waitForTopLevelMap(display, start);
    if (!window) {
        std::fprintf(stderr, "%s mapped no window\n", argv[3]);
        kill(child, SIGKILL);
        return 1;
    }
    const double mapped = secondsSince(start);
    const Damage damage = XDamageCreate(display, *window, XDamageReportNonEmpty);
    watchUntil(display, damageEvent, damage, start, memoryAt, [](const timespec&) {});
    const long resident = residentKilobytes(child);
    const long long cpuBefore = cpuNanoseconds(child);
    const long long switchesBefore = contextSwitches(child);
    std::map<time_t, double> firstChangeInSecond;
    watchUntil(
        display, damageEvent, damage, start, memoryAt + idleSeconds, [&](const timespec& at) {
            firstChangeInSecond.try_emplace(at.tv_sec, static_cast<double>(at.tv_nsec) / 1e6);
        });
    const long long cpuAfter = cpuNanoseconds(child);
    const long long switchesAfter = contextSwitches(child);
    const bool survived = stillRunning(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    if (!survived) {
        std::fprintf(stderr, "%s ended during the measurement\n", argv[3]);
        return 1;
    }
    std::printf("%.0f %ld", mapped * 1e6, resident);
    if (idleSeconds > 0) {
        std::printf(" %.4f %.2f",
                    100.0 * static_cast<double>(cpuAfter - cpuBefore) / 1e9 / idleSeconds,
                    static_cast<double>(switchesAfter - switchesBefore) / idleSeconds);
        std::vector<double> lateness;
        for (const auto& [second, milliseconds] : firstChangeInSecond) {
            lateness.push_back(milliseconds);
        }
        if (lateness.empty()) {
            std::printf(" - - 0");
        } else {
            std::printf(" %.2f %.2f %.2f", percentile(lateness, 0.5), percentile(lateness, 0.95),
                        static_cast<double>(lateness.size()) / idleSeconds);
        }
    }
    std::printf("\n");
    return 0;
}
