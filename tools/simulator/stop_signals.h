#pragma once

#include <signal.h>

namespace merovan::sim {

// SIGINT, SIGTERM and SIGHUP end the simulator in order, so the pty link is
// removed. They are blocked except inside waitReadable, so one that arrives
// while a reply is being sent is not lost: the next wait returns at once.
class StopSignals {
public:
    StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    enum class Wait { Readable, TimedOut, Ended };

    // Blocks until fd has input, timeoutMs pass (-1: no limit), or a stop
    // signal or an error ends the wait.
    Wait waitReadable(int fd, int timeoutMs) const;

    // Whether a stop signal ended the wait (rather than an error).
    bool requested() const;

private:
    sigset_t waitMask_;
};

} // namespace merovan::sim
