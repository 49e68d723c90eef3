#include "core/clock.h"
#include "core/operator.h"
#include "core/register_message.h"
#include "core/stop_requests.h"
#include "device/register_link.h"
#include "interpreter/interpreter.h"
#include "interpreter/payment_parts.h"


namespace merovan {

namespace {

constexpr int kStatusPollMs = 250;

// Holds until the operator has finished the receipt at the register, with
// the register message window up from the first query that finds it open.
// Closing the window, or a stop request, gives up the wait, so a register
// that no longer answers cannot hold the bridge for good. True when the
// receipt was closed.
bool waitForReceiptClosed(Interpreter &interpreter)
{
    RegisterLink &link = interpreter.link();
    const RegisterLink::QueriesGiveWayToStops giveWay(link);
    RegisterMessagePtr window;
    const auto givenUp = [&] { return link.stops().requested() || (window && !window->isOpen()); };
    bool closed = false;
    while (!givenUp() && !(closed = link.readRegisterStatus() == 0)) {
        if (!window) {
            window = std::make_shared<RegisterMessage>(interpreter.clock());
            window->setCountsSeconds(false);
            window->setCaption(QStringLiteral("Μύνημα Ταμειακής"));
            window->setMessage(QStringLiteral("Ολοκληρώστε την απόδειξη..."));
            window->setDetail(QStringLiteral("Αναμονή..."));
            interpreter.op().showRegisterMessage(window);
        }
        pauseUnless(interpreter.clock(), kStatusPollMs, givenUp);
    }
    if (window)
        window->close();
    return closed;
}

} // namespace

void printCardFailureWarning(Interpreter &interpreter)
{
    // Printed only after the receipt is closed, never inside it: a wait
    // given up leaves the warning due, for the end of the next job.
    if (!waitForReceiptClosed(interpreter))
        return;
    const QString comment = QStringLiteral("KXCO ");
    for (const QString &text : {QStringLiteral("ΠΡΟΣΟΧΗ!"), QStringLiteral(" Η ΑΠΟΔΕΙΞΗ ΠΕΡΙΕΧΕΙ ΠΛΗΡΩΜΕΣ"),
                                QStringLiteral("   ΠΙΣΤ.ΚΑΡΤΩΝ ΠΟΥ ΑΠΕΤΥΧΑΝ"),
                                QStringLiteral("ΥΠΑΡΧΕΙ ΥΠΟΛΟΙΠΟ ΠΡΟΣ ΕΙΣΠΡΑΞΗ"), QStringLiteral("       ΑΠΟ ΤΟΝ ΠΕΛΑΤΗ")})
        interpreter.send(comment + text);
    for (int i = 0; i < 5; ++i)
        interpreter.send(comment);
    interpreter.state.cardFallbackUsed = false;
}

} // namespace merovan
