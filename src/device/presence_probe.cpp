#include "core/clock.h"
#include "device/register_link.h"
#include "device/transport/transport.h"
#include "diagnostics/debug_log.h"

namespace merovan {

bool RegisterLink::probePresence(int deadlineMs)
{
    Transport *device = connection_.transport();
    if (!device || !device->isOpen() || device->lost()) {
        statistics_.recordPresence(false);
        return false;
    }
    device->forgetFailure();
    readOffStaleBytes();
    const QString command = QStringLiteral("KXSTAT");
    device->send(command);
    log_.addLine(log_.sendLine(command));
    QString reply;
    const qint64 deadline = clock_.monotonicMs() + deadlineMs;
    // Any byte is an answer; the whole reply is waited for so that none of
    // it is left for the next command.
    while (!reply.contains(QChar(4)) && !device->lost()) {
        const qint64 left = deadline - clock_.monotonicMs();
        if (left <= 0)
            break;
        reply += device->receive(int(left));
    }
    if (!reply.isEmpty())
        log_.addLine(log_.replyLine(reply));
    statistics_.recordPresence(!reply.isEmpty());
    return !reply.isEmpty();
}

} // namespace merovan
