// Starts a program on the X display named by DISPLAY and measures it as a user meets it:
//   - microseconds from exec to the first MapNotify of a top-level window, as the X server
//     reports it, so no polling interval enters the figure;
//   - resident memory (VmRSS, kB) a given number of seconds after the start;
//   - CPU time (utime + stime of all threads) over the following seconds, in % of one core.
// Prints the three figures on one line and ends the program.
#include <X11/Xlib.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double mapTimeout = 30;

double secondsSince(const timespec& start) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - start.tv_sec) +
           static_cast<double>(now.tv_nsec - start.tv_nsec) / 1e9;
}

void sleepUntil(const timespec& start, double seconds) {
    const double whole = static_cast<double>(static_cast<long>(seconds));
    timespec until = start;
    until.tv_sec += static_cast<long>(whole);
    until.tv_nsec += static_cast<long>((seconds - whole) * 1e9);
    if (until.tv_nsec >= 1000000000L) {
        until.tv_sec += 1;
        until.tv_nsec -= 1000000000L;
    }
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) != 0) {
    }
}

// A window made a direct child of the root without override-redirect is a top-level window
// (there is no window manager to reparent it); menus and tooltips are override-redirect.
bool waitForTopLevelMap(Display* display, const timespec& start) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display) &&
                !event.xmap.override_redirect) {
                return true;
            }
        }
        const double left = mapTimeout - secondsSince(start);
        if (left <= 0) {
            return false;
        }
        poll(&connection, 1, static_cast<int>(left * 1000) + 1);
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

// utime and stime are fields 14 and 15; the command name in field 2 may hold blanks, so
// counting starts after its closing parenthesis.
long cpuTicks(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14) {
            ticks += std::stol(field);
        }
    }
    return ticks;
}

bool stillRunning(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s MEMORY_AT_SECONDS CPU_SECONDS PROGRAM [ARGUMENT...]\n",
                     argv[0]);
        return 2;
    }
    const double memoryAt = std::atof(argv[1]);
    const double cpuSeconds = std::atof(argv[2]);
    // A server that has only just started may not accept connections yet.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 0; display == nullptr && attempt < 50; ++attempt) {
        usleep(100000);
        display = XOpenDisplay(nullptr);
    }
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the X display\n");
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
    if (!waitForTopLevelMap(display, start)) {
        std::fprintf(stderr, "%s mapped no window\n", argv[3]);
        kill(child, SIGKILL);
        return 1;
    }
    const double mapped = secondsSince(start);
    sleepUntil(start, memoryAt);
    const long resident = residentKilobytes(child);
    const long ticksBefore = cpuTicks(child);
    sleepUntil(start, memoryAt + cpuSeconds);
    const long ticksAfter = cpuTicks(child);
    const bool survived = stillRunning(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    if (!survived) {
        std::fprintf(stderr, "%s ended during the measurement\n", argv[3]);
        return 1;
    }
    const double cpuPercent = cpuSeconds > 0
                                  ? 100.0 * static_cast<double>(ticksAfter - ticksBefore) /
                                        static_cast<double>(sysconf(_SC_CLK_TCK)) / cpuSeconds
                                  : 0;
    std::printf("%.0f %ld %.2f\n", mapped * 1e6, resident, cpuPercent);
    return 0;
}
