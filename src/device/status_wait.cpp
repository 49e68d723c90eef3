#include "core/clock.h"
#include "core/operator.h"
#include "core/register_message.h"
#include "device/command_kinds.h"
#include "device/error_codes.h"
#include "device/register_link.h"

namespace merovan {

qint16 RegisterLink::readRegisterStatus()
{
    const CommandResult answer = sendCommand(QStringLiteral("KXSTAT"), {.silent = true});
    if (!answer.accepted())
        return answer.code;
    // A reply of another shape reads as no receipt open, but is not known.
    const std::optional<qint16> status = statusInReply(answer.text);
    noteStatus(status);
    return status.value_or(0);
}

void RegisterLink::waitUntilErrorCleared(qint16 okCode, qint16 expected)
{
    const auto substitute = [expected](qint16 code) {
        return expected >= 0 && code != expected ? qint16(1138) : code;
    };
    const auto errLine = [this](const QString &body) {
        appendResult(QStringLiteral("Ecr Err:") + body + resultStamp(clock_.now()));
    };
    const auto describe = [](qint16 code) {
        return QStringLiteral("%1, %2, ").arg(code).arg(registerErrorText(QString::number(code)));
    };

    if (stops_.stopNow())
        return;
    QueriesGiveWayToStops giveWay(*this);
    qint16 code = readRegisterStatus();
    if (code == okCode)
        return;
    code = substitute(code);
    if (code == 0 || code == 1)
        return;
    errLine(describe(code));

    const auto window = std::make_shared<RegisterMessage>(clock_);
    window->setCountsSeconds(false);
    waitCancelled = false;
    QObject::connect(window.get(), &RegisterMessage::closed, [this] { waitCancelled = true; });
    window->setCaption(QStringLiteral("Μύνημα Ταμειακής"));
    window->setMessage(registerErrorText(QString::number(code)));
    window->setDetail(QStringLiteral("Αναμονή..."));
    op_.showRegisterMessage(window);

    // A stop request ends the wait as the operator's close does: the job
    // then finishes without the register having been cleared.
    const auto givenUp = [this] { return waitCancelled || stops_.requested(); };
    while (code != okCode && code != 0) {
        // A device that went away will not clear anything: say so and go on.
        if (deviceLost()) {
            window->close();
            errLine(QStringLiteral("%1, %2, ").arg(kLostDeviceCode).arg(lostDeviceText()));
            return;
        }
        if (givenUp() || pauseUnlessStopped(clock_, 1500, stops_)) {
            window->close();
            errLine(QStringLiteral(" Terminated by the user, "));
            return;
        }
        const qint16 previous = code;
        code = substitute(readRegisterStatus());
        window->setMessage(registerErrorText(QString::number(code)));
        if (code != 0 && code != previous)
            errLine(describe(code));
    }
    errLine(QStringLiteral(" Cleared OK, "));
    window->close();
}

} // namespace merovan
