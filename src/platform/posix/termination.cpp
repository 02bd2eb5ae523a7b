#include "platform/termination.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};
constexpr int SignalCount = sizeof Signals / sizeof *Signals;

int g_writeEnd = -1;

// All a signal handler may safely do: one write, to the pipe the event loop
// watches.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
}

} // namespace

struct TerminationRequests::Handlers {
    int pipe[2] = {-1, -1};
    struct sigaction previous[SignalCount] = {};
    bool installed[SignalCount] = {};
    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationRequests::TerminationRequests() : m_handlers(std::make_unique<Handlers>()) {
    Handlers &h = *m_handlers;
    if (::pipe(h.pipe) != 0)
        return; // the signals end the program as they always did
    for (int fd : h.pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    g_writeEnd = h.pipe[1];
    h.notifier = std::make_unique<QSocketNotifier>(h.pipe[0], QSocketNotifier::Read);
    connect(h.notifier.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(m_handlers->pipe[0], bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < SignalCount; ++i) {
        if (::sigaction(Signals[i], nullptr, &h.previous[i]) != 0 ||
            h.previous[i].sa_handler == SIG_IGN)
            continue;
        h.installed[i] = ::sigaction(Signals[i], &action, nullptr) == 0;
    }
}

TerminationRequests::~TerminationRequests() {
    Handlers &h = *m_handlers;
    for (int i = 0; i < SignalCount; ++i)
        if (h.installed[i])
            ::sigaction(Signals[i], &h.previous[i], nullptr);
    h.notifier.reset();
    g_writeEnd = -1;
    for (int fd : h.pipe)
        if (fd >= 0)
            ::close(fd);
}

} // namespace platform
