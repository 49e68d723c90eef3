#include "core/register_message.h"
#include "scripted_register.h"

#include <QPointer>

using namespace merovan;
using namespace merovan::test;

namespace {

QString q(const char *text) { return QString::fromUtf8(text); }

const QStringList kWarning{q("KXCO ΠΡΟΣΟΧΗ!"),
                           q("KXCO  Η ΑΠΟΔΕΙΞΗ ΠΕΡΙΕΧΕΙ ΠΛΗΡΩΜΕΣ"),
                           q("KXCO    ΠΙΣΤ.ΚΑΡΤΩΝ ΠΟΥ ΑΠΕΤΥΧΑΝ"),
                           q("KXCO ΥΠΑΡΧΕΙ ΥΠΟΛΟΙΠΟ ΠΡΟΣ ΕΙΣΠΡΑΞΗ"),
                           q("KXCO        ΑΠΟ ΤΟΝ ΠΕΛΑΤΗ"),
                           q("KXCO "),
                           q("KXCO "),
                           q("KXCO "),
                           q("KXCO "),
                           q("KXCO ")};

// A card declined and booked on cash, with the rest of the receipt left
// for the operator to finish at the register.
class CardWarning : public ScriptedRegister {
protected:
    CardWarning()
    {
        const auto script = registerScript;
        registerScript = [this, script](const QString &command, FakeTransport &reg) {
            if (command == q("KXSTAT") && warningShown)
                pollTimes.push_back(clock.monotonicMs());
            script(command, reg);
        };
        savePaymentType(cardType(5, 2, 1, 2, 1));
        verdict(q("KX500T2P1"), {{1000, reply(q("358ER:03"))}});
        statuses = {q("1"), q("2")};
        // Windows are looked at when first seen, while they are up; the
        // warning's is then followed until it goes.
        op.onEvents = [this] {
            for (; windowsSeen < op.shownWindows.size(); ++windowsSeen) {
                RegisterMessage *window = op.shownWindows[windowsSeen];
                if (window->caption() != q("Μύνημα Ταμειακής"))
                    continue;
                warningWindow = window;
                warningShown = true;
                shown = {window->message(), window->detail()};
                counterRan = window->counterRunning();
                QObject::connect(window, &RegisterMessage::closed, [this] { closed = true; });
            }
            if (warningWindow && operatorAction)
                operatorAction(*warningWindow);
        };
    }

    std::size_t windowsSeen = 0;
    QPointer<RegisterMessage> warningWindow;
    bool warningShown = false;
    QStringList shown;
    bool counterRan = true;
    bool closed = false;
    std::vector<qint64> pollTimes; // status queries once the window is up
    std::function<void(RegisterMessage &)> operatorAction;
};

TEST_F(CardWarning, WaitsForTheOperatorToFinishTheReceiptWithoutSpinning)
{
    const qint64 finishedAt = 60000;
    operatorAction = [this, finishedAt](RegisterMessage &) {
        if (clock.monotonicMs() >= finishedAt)
            statuses = {q("0")};
    };
    run({toLine(q("5"), q("5.00"))});

    EXPECT_EQ(body().mid(body().indexOf(kWarning.front())), kWarning);
    EXPECT_EQ(shown, (QStringList{q("Ολοκληρώστε την απόδειξη..."), q("Αναμονή...")}));
    EXPECT_FALSE(counterRan) << "the window's own counter stays off";
    EXPECT_TRUE(closed);
    ASSERT_GE(pollTimes.size(), 2u);
    for (std::size_t i = 1; i < pollTimes.size(); ++i)
        EXPECT_GE(pollTimes[i] - pollTimes[i - 1], 250) << "one status query per pause";
    EXPECT_FALSE(interpreter.state.cardFallbackUsed);

    // Printed once: the next job has nothing to warn about.
    run({});
    EXPECT_FALSE(commands.contains(kWarning.front()));
}

TEST_F(CardWarning, AReceiptAlreadyClosedPrintsAtOnceWithoutAWindow)
{
    statuses = {q("1"), q("0")};
    run({toLine(q("5"), q("5.00"))});
    EXPECT_FALSE(warningShown);
    EXPECT_EQ(body().mid(body().indexOf(kWarning.front())), kWarning);
}

TEST_F(CardWarning, ClosingTheWindowGivesUpTheWait)
{
    operatorAction = [](RegisterMessage &window) { window.close(); };
    run({toLine(q("5"), q("5.00"))});
    EXPECT_TRUE(pollTimes.empty()) << "no status query after the first";
    EXPECT_EQ(body().mid(body().indexOf(kWarning.front())), kWarning);
    EXPECT_EQ(maskedResult().last(), q("exitcode = 0"));
}

} // namespace
