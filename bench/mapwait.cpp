// mapwait [--timeout SECONDS] [--min-width PIXELS] [--log FILE] -- PROGRAM ARGS...
//
// Starts PROGRAM and waits for the first window it maps (a top-level window
// whose _NET_WM_PID is the started process), then prints
//   MILLISECONDS PID WINDOW WIDTH HEIGHT CPU_MILLISECONDS
// where the last is the CPU time the program's threads had used at the map
// (from /proc/PID/task/*/schedstat), the figure a busy machine disturbs least.
// and leaves the program running for the caller to measure and end. The
// program's output goes to FILE (default /dev/null), so that a caller reading
// ours through a pipe is not held until the program ends.
// The clock starts just before the fork, so the figure includes exec, the
// dynamic loader and everything the program does up to the map.
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

double cpuMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (!dir)
        return -1;
    double ns = 0;
    while (const dirent *e = readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + "/" + e->d_name + "/schedstat");
        double onCpu = 0;
        if (stat >> onCpu)
            ns += onCpu;
    }
    closedir(dir);
    return ns / 1e6;
}

xcb_atom_t internAtom(xcb_connection_t *c, const char *name) {
    Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

long windowPid(xcb_connection_t *c, xcb_window_t w, xcb_atom_t pidAtom) {
    Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) < 4)
        return -1;
    return long(*static_cast<const uint32_t *>(xcb_get_property_value(r.get())));
}

// Watches a newly created window for its map; true when it is already mapped
// (it may have been mapped before the selection took effect).
bool watchWindow(xcb_connection_t *c, xcb_window_t w) {
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &mask);
    Reply<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
    return a && a->map_state != XCB_MAP_STATE_UNMAPPED;
}

} // namespace

int main(int argc, char *argv[]) {
    double timeoutS = 20;
    int minWidth = 0;
    const char *log = "/dev/null";
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--timeout" && i + 1 < argc)
            timeoutS = std::atof(argv[++i]);
        else if (a == "--min-width" && i + 1 < argc)
            minWidth = std::atoi(argv[++i]);
        else if (a == "--log" && i + 1 < argc)
            log = argv[++i];
        else if (a == "--") {
            ++i;
            break;
        } else
            break;
    }
    if (i >= argc) {
        std::fprintf(
            stderr,
            "usage: mapwait [--timeout S] [--min-width PX] [--log FILE] -- PROGRAM ARGS...\n");
        return 2;
    }

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "mapwait: cannot open the display\n");
        return 2;
    }
    const int fd = xcb_get_file_descriptor(c);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t pidAtom = internAtom(c, "_NET_WM_PID");
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    // A round trip, so the selection is in force before the program starts.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const double t0 = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        const int out = open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
        }
        execvp(argv[i], argv + i);
        std::fprintf(stderr, "mapwait: cannot run %s: %s\n", argv[i], std::strerror(errno));
        _exit(127);
    }

    auto mappedBy = [&](xcb_window_t w) -> bool {
        if (windowPid(c, w, pidAtom) != long(pid))
            return false;
        Reply<xcb_get_geometry_reply_t> g(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr));
        if (!g || g->width < minWidth)
            return false;
        const double elapsed = nowMs() - t0;
        std::printf("%.1f %d %u %u %u %.1f\n", elapsed, int(pid), unsigned(w), unsigned(g->width),
                    unsigned(g->height), cpuMs(pid));
        return true;
    };

    while (nowMs() - t0 < timeoutS * 1000.0) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "mapwait: the program ended before mapping a window\n");
            return 1;
        }
        xcb_generic_event_t *raw = xcb_poll_for_event(c);
        if (!raw) {
            if (xcb_connection_has_error(c))
                break;
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 20);
            continue;
        }
        Reply<xcb_generic_event_t> ev(raw);
        bool done = false;
        switch (ev->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_create_notify_event_t *>(ev.get());
            done = watchWindow(c, e->window) && mappedBy(e->window);
            break;
        }
        case XCB_MAP_NOTIFY: {
            const auto *e = reinterpret_cast<const xcb_map_notify_event_t *>(ev.get());
            done = mappedBy(e->window);
            break;
        }
        default:
            break;
        }
        if (done) {
            std::fflush(stdout);
            xcb_disconnect(c);
            return 0;
        }
    }
    std::fprintf(stderr, "mapwait: no window mapped in %.0f s\n", timeoutS);
    kill(pid, SIGTERM);
    return 1;
}
