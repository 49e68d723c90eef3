#include "session.h"

#include <chrono>
#include <thread>

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
    for (const ReplyPiece &piece : response.pieces) {
        std::this_thread::sleep_for(std::chrono::milliseconds(piece.delayMs));
        send(piece.bytes);
    }
}

} // namespace merovan::sim
