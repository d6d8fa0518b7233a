// Times a program from its start to its first window on the screen: runs the
// command, waits until the X server maps a top-level window, prints the
// wall-clock milliseconds since the start and the CPU milliseconds the
// program had used by then, and ends the program.
//
//   brenvolo_map_timer [--timeout SECONDS] COMMAND [ARGUMENTS...]
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// True when the event is the mapping of a window the window manager would manage.
bool isTopLevelMap(const xcb_generic_event_t* event)
{
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
        return false;
    xcb_map_notify_event_t map;
    std::memcpy(&map, event, sizeof map);
    return map.override_redirect == 0;
}

int end(pid_t pid, int status)
{
    kill(pid, SIGKILL);
    int ignored = 0;
    waitpid(pid, &ignored, 0);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    double timeout = 60;
    if (argc > 2 && std::strcmp(argv[1], "--timeout") == 0) {
        timeout = std::atof(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [--timeout SECONDS] COMMAND [ARGUMENTS...]\n", argv[0]);
        return 2;
    }

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
        std::free(error);
        std::fprintf(stderr, "cannot watch the root window\n");
        return 2;
    }

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }

    const int fd = xcb_get_file_descriptor(connection);
    for (;;) {
        bool mapped = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            mapped = mapped || isTopLevelMap(event);
            std::free(event);
        }
        if (mapped)
            break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before showing a window\n", argv[first]);
            return 1;
        }
        if (millisecondsSince(start) > timeout * 1000) {
            std::fprintf(stderr, "%s showed no window in %g s\n", argv[first], timeout);
            return end(pid, 1);
        }
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 20);
    }
    const double wall = millisecondsSince(start);

    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    std::printf("%.2f %.2f\n", wall, cpu);
    xcb_disconnect(connection);
    return 0;
}
