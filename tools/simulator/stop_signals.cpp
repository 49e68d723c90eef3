#include "stop_signals.h"

#include "posix_error.h"

#include <poll.h>

#include <cerrno>

namespace merovan::sim {

namespace {

volatile sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

} // namespace

StopSignals::StopSignals()
{
    sigset_t stops;
    sigemptyset(&stops);
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    for (int signal : kStopSignals) {
        sigaddset(&stops, signal);
        sigaction(signal, &action, nullptr);
    }
    sigprocmask(SIG_BLOCK, &stops, &waitMask_);
    for (int signal : kStopSignals)
        sigdelset(&waitMask_, signal);
}

bool StopSignals::waitReadable(int fd) const
{
    pollfd entry{fd, POLLIN, 0};
    while (!stopRequested) {
        if (ppoll(&entry, 1, nullptr, &waitMask_) > 0)
            return true;
        if (errno != EINTR) {
            warn(posixError("ppoll"));
            return false;
        }
    }
    return false;
}

bool StopSignals::requested() const
{
    return stopRequested != 0;
}

} // namespace merovan::sim

