// Measures a program from outside.
//     vimsel_window_clock [--idle-ms N] -- PROGRAM [ARGS...]
// starts it, and prints the wall time until its first top-level window is mapped on
// the X display, and the CPU time and peak memory it has used once it has gone idle
// (no CPU time for N ms, 700 by default); the program is then ended:
// "shown_ms=… cpu_ms=… peak_kb=…".
//     vimsel_window_clock [--idle-ms N] --watch PID
// waits until a running process has gone idle and prints "cpu_ms=… peak_kb=…
// busy_ms=…" (busy_ms: from the call until the last CPU time was used).
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// User and system CPU time of a process, in milliseconds; -1 when it is gone.
long cpuMs(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line))
        return -1;
    // The command name may hold spaces: the fields follow its closing parenthesis.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14)
            utime = std::stoul(field);
        if (i == 15)
            stime = std::stoul(field);
    }
    return long((utime + stime) * 1000 / sysconf(_SC_CLK_TCK));
}

long peakKb(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

struct Idle {
    long cpu = -1;
    long peak = -1;
    double busyMs = 0;
};

// Polls the process until it has used no CPU time for idleMs.
Idle waitUntilIdle(pid_t pid, int idleMs)
{
    const Clock::time_point start = Clock::now();
    Idle idle;
    idle.cpu = cpuMs(pid);
    idle.peak = peakKb(pid);
    Clock::time_point quietSince = start;
    while (Clock::now() - quietSince < std::chrono::milliseconds(idleMs)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const long now = cpuMs(pid);
        if (now < 0)
            break;
        idle.peak = std::max(idle.peak, peakKb(pid));
        if (now != idle.cpu) {
            idle.cpu = now;
            quietSince = Clock::now();
        }
    }
    idle.busyMs = std::chrono::duration<double, std::milli>(quietSince - start).count();
    return idle;
}

} // namespace

int main(int argc, char **argv)
{
    int idleMs = 700;
    pid_t watched = 0;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--idle-ms") == 0 && first + 1 < argc)
            idleMs = std::atoi(argv[++first]);
        else if (std::strcmp(argv[first], "--watch") == 0 && first + 1 < argc)
            watched = pid_t(std::atol(argv[++first]));
        else if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        } else
            break;
    }
    if (watched > 0) {
        const Idle idle = waitUntilIdle(watched, idleMs);
        std::printf("cpu_ms=%ld peak_kb=%ld busy_ms=%.0f\n", idle.cpu, idle.peak, idle.busyMs);
        return idle.cpu < 0 ? 1 : 0;
    }
    if (first >= argc) {
        std::fputs("usage: vimsel_window_clock [--idle-ms N] -- PROGRAM [ARGS...]\n"
                   "       vimsel_window_clock [--idle-ms N] --watch PID\n", stderr);
        return 2;
    }

    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fputs("vimsel_window_clock: no X display\n", stderr);
        return 1;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::perror("exec");
        _exit(127);
    }

    // The first window mapped that is no pop-up (tooltips and menus bypass the window
    // manager) is the program's own top-level window.
    double shownMs = -1;
    while (shownMs < 0) {
        xcb_generic_event_t *e = xcb_wait_for_event(x);
        if (!e)
            break;
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(e);
            if (!map->override_redirect)
                shownMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        std::free(e);
    }
    xcb_disconnect(x);

    const Idle idle = waitUntilIdle(child, idleMs);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    std::printf("shown_ms=%.1f cpu_ms=%ld peak_kb=%ld\n", shownMs, idle.cpu, idle.peak);
    return shownMs < 0 ? 1 : 0;
}
