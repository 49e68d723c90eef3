#pragma once

#include "line_file.h"
#include "responder.h"

#include <QByteArray>

#include <chrono>
#include <deque>
#include <functional>

namespace merovan::sim {

class StopSignals;

// Handles the commands received on any link: writes each to the trace,
// asks the responder, prints the paper lines and schedules the reply
// pieces with their delays. A delayed reply (--latency, a card verdict
// seconds later) never holds up the simulator: it goes on receiving while
// replies wait, and a stop signal ends it at once. Pieces leave in the
// order they were scheduled, as a register answers one thing at a time.
class Session {
public:
    using Send = std::function<void(const QByteArray &bytes)>;

    Session(Responder &responder, LineFile &trace, LineFile &paper);

    void handle(const QByteArray &command, const Send &send);

    // Waits until fd has input (true) while sending the pieces that fall
    // due; false on a stop signal or an error.
    bool waitReadable(int fd, const StopSignals &stop);

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        Clock::time_point due;
        QByteArray bytes;
        Send send;
    };
    void sendDue();

    Responder &responder_;
    LineFile &trace_;
    LineFile &paper_;
    std::deque<Pending> pending_;
};

} // namespace merovan::sim
