#include "core/register_message.h"
#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

QString q(const char *text) { return QString::fromUtf8(text); }

const QString kApprovedLine = q("ccPay0 = 1;000017;VISA;A1B2C3;REF0042;************1234;00;5,00");

// The warning's commands at the end of a job whose receipt is closed.
QStringList warningCommands()
{
    QStringList commands{q("KXSTAT"), q("KXCO ΠΡΟΣΟΧΗ!"), q("KXCO  Η ΑΠΟΔΕΙΞΗ ΠΕΡΙΕΧΕΙ ΠΛΗΡΩΜΕΣ"),
                         q("KXCO    ΠΙΣΤ.ΚΑΡΤΩΝ ΠΟΥ ΑΠΕΤΥΧΑΝ"), q("KXCO ΥΠΑΡΧΕΙ ΥΠΟΛΟΙΠΟ ΠΡΟΣ ΕΙΣΠΡΑΞΗ"),
                         q("KXCO        ΑΠΟ ΤΟΝ ΠΕΛΑΤΗ")};
    for (int i = 0; i < 5; ++i)
        commands << q("KXCO ");
    return commands;
}

class CardPayments : public ScriptedRegister {
protected:
    CardPayments() { savePaymentType(cardType(5, 2, 1)); }
};

TEST_F(CardPayments, HalfCashHalfCardWithTheVerdictSecondsLate)
{
    statuses = {q("1"), q("2"), q("2"), q("2"), q("0")};
    verdict(q("KX500T2P1"), {{6000, reply(approval(q("500")))}});
    run({toLine(q("1"), q("5.00")), toLine(q("5"), q("5.00"))});
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KXST"), q("KX500T1"), q("KXSTAT"), //
                                   q("KXSTAT"), q("KXST"), q("KX500T2P1")}));
    EXPECT_TRUE(maskedResult().contains(kApprovedLine)) << maskedResult().join(q("\n")).toStdString();
    const PaymentTypeRecord last = interpreter.state.currentCard.read();
    EXPECT_EQ(last.PAY_iD, 5) << "the card payment's type became the current one";
    EXPECT_EQ(last.PAY_EftTerminal, 0) << "and the closed receipt made it forget its terminal";
}

TEST_F(CardPayments, AVerdictInTwoPiecesIsReadWhole)
{
    const QString whole = reply(approval(q("500")));
    verdict(q("KX500T2P1"), {{3000, whole.left(20)}, {3400, whole.mid(20)}});
    run({toLine(q("5"), q("5.00"))});
    EXPECT_TRUE(maskedResult().contains(kApprovedLine)) << maskedResult().join(q("\n")).toStdString();
    EXPECT_EQ(commands.count(q("KX500T2P1")), 1);
}

TEST_F(CardPayments, AVerdictThatNeverComesEndsTheWaitWithTheFirstReply)
{
    savePaymentType(cardType(5, 2, 1, 2, 1));
    run({toLine(q("5"), q("5.00"))});
    // The register's "00 OK" stands as the answer: read as paid, so no
    // further try and no fallback.
    EXPECT_EQ(body(), (QStringList{q("KXSTAT"), q("KXST"), q("KX500T2P1")}));
    EXPECT_GE(clock.monotonicMs(), 270000);
    EXPECT_LT(clock.monotonicMs(), 280000);
    EXPECT_FALSE(interpreter.state.cardFallbackUsed);
}

struct OutcomeCase {
    const char *name;
    PaymentTypeRecord type;
    QString verdict;    // empty: the card command is refused
    QStringList payment; // from the subtotal on
    bool warning;
    int retryPauses; // seen between tries
};

TEST_F(CardPayments, TheTerminalsVerdictDecidesTriesAndFallback)
{
    const QString card = q("KX500T2P1");
    std::vector<qint64> sentAt;
    const auto script = registerScript;
    registerScript = [&, script](const QString &command, FakeTransport &reg) {
        if (command.endsWith(q("P1")))
            sentAt.push_back(clock.monotonicMs());
        script(command, reg);
    };
    const OutcomeCase cases[] = {
        {"declined, fallback", cardType(5, 2, 1, 2, 1), q("358ER:03"), {q("KXST"), card, q("KX500T1")}, true, 0},
        {"declined, no fallback", cardType(5, 2, 1, 2, 0), q("358ER:04"), {q("KXST"), card}, false, 0},
        {"no contact", cardType(5, 2, 1, 2, 0), q("CntFail"), {q("KXST"), card}, false, 0},
        {"try again", cardType(5, 2, 1, 2, 0), q("358ER:05"), {q("KXST"), card, card, card}, false, 0},
        {"try again, then fallback", cardType(5, 2, 1, 1, 3), q("358ER:05"), {q("KXST"), card, card, q("KX500T3")},
         true, 0},
        {"after a pause", cardType(5, 2, 1, 1, 0), q("358ER:999"), {q("KXST"), card, card}, false, 1},
        {"terminal not reached", cardType(5, 2, 1, 1, 0), q("SEND:TIMEOUT WHILE SEND DATA TO POS"),
         {q("KXST"), card, card}, false, 0},
        {"refused", cardType(5, 2, 1, 1, 1), {}, {q("KXST"), card, q("KXCL"), card, q("KXCL"), q("KX500T1")}, true, 0},
        {"prepayment key has no subtotal and no fallback", cardType(5, 9, 1, 0, 1), q("358ER:03"), {q("KX500T9P1")},
         false, 0},
        {"no tries at all", cardType(5, 2, 1, -1, 1), q("358ER:03"), {q("KXST"), q("KX500T1")}, true, 0},
    };
    for (const OutcomeCase &c : cases) {
        savePaymentType(c.type);
        verdicts.clear();
        replies.clear();
        const QString command = c.payment.size() > 1 ? card : c.payment[0];
        if (c.verdict.isEmpty())
            replies[command] = q("DE1011");
        else
            for (int i = 0; i < 3; ++i)
                verdict(command, {{1000, reply(c.verdict)}});
        sentAt.clear();
        run({toLine(q("5"), q("5.00"))});

        QStringList expected = QStringList{q("KXSTAT")} + c.payment;
        if (c.warning)
            expected += QStringList{q("KXSTAT"), q("KXSTAT")} + warningCommands();
        EXPECT_EQ(body(), expected) << c.name;
        EXPECT_FALSE(interpreter.state.cardFallbackUsed) << c.name << ": the warning clears it";
        // A try takes about three seconds here; one after a pause, six.
        int pauses = 0;
        for (std::size_t i = 1; i < sentAt.size(); ++i)
            pauses += sentAt[i] - sentAt[i - 1] >= 6000 ? 1 : 0;
        EXPECT_EQ(pauses, c.retryPauses) << c.name;
    }
}

TEST_F(CardPayments, TheTerminalGetsItsPrintPauseBeforeItsNextPaymentInTheSameReceipt)
{
    savePaymentType(cardType(5, 2, 1, 0, 0, 10));
    for (int i = 0; i < 5; ++i)
        verdict(q("KX500T2P1"), {{3000, reply(approval(q("500")))}});
    statuses = {q("1"), q("2"), q("2"), q("2"), q("0")};
    log.setDebugActive(true);
    QStringList waits;
    QObject::connect(&log, &DebugLog::lineAdded, [&waits](const QString &line) {
        if (line.contains(q(" waiting eft print: ")))
            waits << line.mid(line.indexOf(q(" waiting eft print: ")));
    });
    QStringList countdown;
    std::size_t windowsSeen = 0;
    op.onEvents = [&] {
        for (; windowsSeen < op.shownWindows.size(); ++windowsSeen) {
            RegisterMessage *window = op.shownWindows[windowsSeen];
            if (window->detail() != q("Εκτύπωση τερματικού EFTPOS"))
                continue;
            countdown << window->message();
            QObject::connect(window, &RegisterMessage::changed, [&countdown, window] {
                if (countdown.back() != window->message())
                    countdown << window->message();
            });
        }
    };

    run({toLine(q("5"), q("5.00")), toLine(q("5"), q("5.00"))});
    EXPECT_EQ(waits, QStringList{q(" waiting eft print: 10")});
    QStringList seconds;
    for (int left = 10; left >= 1; --left)
        seconds << q("Αναμονή [%1]").arg(left, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(countdown.mid(0, 10), seconds);

    // The job ended with the receipt closed: the terminal is forgotten, so
    // the next receipt's card payment goes without a pause.
    statuses = {q("0")};
    waits.clear();
    run({toLine(q("5"), q("5.00"))});
    EXPECT_TRUE(waits.isEmpty());

    // So does a receipt closed by the payment, within one job.
    statuses = {q("1"), q("0"), q("1"), q("2")};
    run({toLine(q("5"), q("5.00")), toLine(q("5"), q("5.00"))});
    EXPECT_TRUE(waits.isEmpty());
}

} // namespace
