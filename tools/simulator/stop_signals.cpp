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

StopSignals::Wait StopSignals::waitReadable(int fd, int timeoutMs) const
{
    pollfd entry{fd, POLLIN, 0};
    const timespec limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
    while (!stopRequested) {
        const int ready = ppoll(&entry, 1, timeoutMs < 0 ? nullptr : &limit, &waitMask_);
        if (ready > 0)
            return Wait::Readable;
        if (ready == 0)
            return Wait::TimedOut;
        if (errno != EINTR) {
            warn(posixError("ppoll"));
            return Wait::Ended;
        }
    }
    return Wait::Ended;
}

bool StopSignals::requested() const
{
    return stopRequested != 0;
}

} // namespace merovan::sim

