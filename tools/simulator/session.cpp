#include "session.h"

#include "stop_signals.h"

#include <algorithm>

namespace merovan::sim {

Session::Session(Responder &responder, LineFile &trace, LineFile &paper)
    : responder_(responder), trace_(trace), paper_(paper)
{
}

void Session::handle(const QByteArray &command, const Send &send)
{
    trace_.write(command);
    const Response response = responder_.respond(command);
    // Printed before the reply leaves, so whoever gets the reply finds the
    // paper roll already written.
    for (const QString &line : response.paper)
        paper_.write(line.toUtf8());
    Clock::time_point at = pending_.empty() ? Clock::now() : std::max(Clock::now(), pending_.back().due);
    for (const ReplyPiece &piece : response.pieces) {
        at += std::chrono::milliseconds(piece.delayMs);
        pending_.push_back({at, piece.bytes, send});
    }
    sendDue();
}

void Session::sendDue()
{
    while (!pending_.empty() && pending_.front().due <= Clock::now()) {
        const Pending next = pending_.front();
        pending_.pop_front();
        next.send(next.bytes);
    }
}

bool Session::waitReadable(int fd, const StopSignals &stop)
{
    for (;;) {
        sendDue();
        int timeoutMs = -1;
        if (!pending_.empty()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(pending_.front().due - Clock::now());
            timeoutMs = int(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        }
        switch (stop.waitReadable(fd, timeoutMs)) {
        case StopSignals::Wait::Readable:
            return true;
        case StopSignals::Wait::TimedOut:
            continue;
        case StopSignals::Wait::Ended:
            return false;
        }
    }
}

} // namespace merovan::sim
