#include "core/register_message.h"
#include "scripted_register.h"

#include <QPointer>

using namespace merovan;
using namespace merovan::test;

namespace {

const QString kCard = "KX500T2P1";
const QString kApproved = "ccPay0 = 1;000017;VISA;A1B2C3;REF0042;************1234;00;5,00";
const QStringList kWarning{"KXCO ΠΡΟΣΟΧΗ!", "KXCO  Η ΑΠΟΔΕΙΞΗ ΠΕΡΙΕΧΕΙ ΠΛΗΡΩΜΕΣ",
                           "KXCO    ΠΙΣΤ.ΚΑΡΤΩΝ ΠΟΥ ΑΠΕΤΥΧΑΝ", "KXCO ΥΠΑΡΧΕΙ ΥΠΟΛΟΙΠΟ ΠΡΟΣ ΕΙΣΠΡΑΞΗ",
                           "KXCO        ΑΠΟ ΤΟΝ ΠΕΛΑΤΗ", "KXCO ", "KXCO ", "KXCO ", "KXCO ", "KXCO "};

class CardPayments : public ScriptedRegister {
protected:
    CardPayments() { saveCardType(5, 2, 1); }

    // The times at which card commands are sent.
    std::vector<qint64> sentAt;
    void timeCardCommands()
    {
        registerScript = [this, script = registerScript](const QString &command, FakeTransport &reg) {
            if (command.endsWith("P1"))
                sentAt.push_back(clock.monotonicMs());
            script(command, reg);
        };
    }
};

struct Outcome {
    const char *name;
    qint16 retries, fallback, key = 2;
    QString verdict;     // empty: the card command is refused
    QStringList payment; // from the subtotal on
    bool warning = false;
    int retryPauses = 0; // seen between tries
};

TEST_F(CardPayments, TheTerminalsVerdictDecidesTriesAndFallback)
{
    timeCardCommands();
    const Outcome cases[] = {
        {"declined, fallback", 2, 1, 2, "358ER:03", {"KXST", kCard, "KX500T1"}, true},
        {"declined, no fallback", 2, 0, 2, "358ER:04", {"KXST", kCard}},
        {"try again", 2, 0, 2, "358ER:05", {"KXST", kCard, kCard, kCard}},
        {"try again, then fallback", 1, 3, 2, "358ER:05", {"KXST", kCard, kCard, "KX500T3"}, true},
        {"after a pause", 1, 0, 2, "358ER:999", {"KXST", kCard, kCard}, false, 1},
        {"refused", 1, 1, 2, {}, {"KXST", kCard, "KXCL", kCard, "KXCL", "KX500T1"}, true},
        {"prepayment key: no subtotal, no fallback", 0, 1, 9, "358ER:03", {"KX500T9P1"}},
        {"no tries at all", -1, 1, 2, "358ER:03", {"KXST", "KX500T1"}, true},
    };
    for (const Outcome &c : cases) {
        SCOPED_TRACE(c.name);
        saveCardType(5, c.key, 1, c.retries, c.fallback);
        verdicts.clear();
        replies.clear();
        const QString command = c.payment.size() > 1 ? kCard : c.payment[0];
        if (c.verdict.isEmpty())
            replies[command] = {"DE1011"};
        for (int i = 0; i < 3 && !c.verdict.isEmpty(); ++i)
            verdict(command, {{1000, reply(c.verdict)}});
        sentAt.clear();
        run({toLine("5", "5.00")});

        QStringList expected = QStringList{"KXSTAT"} + c.payment;
        if (c.warning)
            expected += QStringList{"KXSTAT", "KXSTAT", "KXSTAT"} + kWarning;
        EXPECT_EQ(body(), expected);
        // A try takes about three seconds here; one after a pause, six.
        int pauses = 0;
        for (std::size_t i = 1; i < sentAt.size(); ++i)
            pauses += sentAt[i] - sentAt[i - 1] >= 6000 ? 1 : 0;
        EXPECT_EQ(pauses, c.retryPauses);
    }
}

TEST_F(CardPayments, VerdictsInAJob)
{
    const JobCase cases[] = {
        {"a verdict in two pieces is read whole", {toLine("5", "5.00")}, {"KXSTAT", "KXST", kCard}, {kApproved}, {},
         [this](ParamSettings &) {
             const QString whole = reply(approval("500"));
             verdict(kCard, {{3000, whole.left(20)}, {3400, whole.mid(20)}});
         }},
        // A partial payment ends the item selection once, and takes no
        // subtotal while the receipt stays open.
        {"partial payment", {jobLine("TBS", {{7, "6"}}), toLine("5", "5.00"), toLine("5", "5.00"), toLine("5", "5.00")},
         {"KXSTAT", "KXPPAY", "KXFROM6", "KXSTAT", "KXTRFNO", kCard, "KXSTAT", "KXSTAT", kCard, "KXSTAT", "KXSTAT",
          "KXST", kCard},
         {kApproved, kApproved, kApproved}, {{"KXSTAT", stat("0 2 2 2 0")}},
         [this](ParamSettings &) {
             for (int i = 0; i < 3; ++i)
                 verdict(kCard, {{3000, reply(approval("500"))}});
         }},
    };
    for (const JobCase &c : cases)
        check(c);
}

TEST_F(CardPayments, AVerdictThatNeverComesEndsTheWaitWithTheFirstReply)
{
    saveCardType(5, 2, 1, 2, 1);
    // The register's "00 OK" stands as the answer: read as paid, so no
    // further try and no fallback.
    check({"no verdict", {toLine("5", "5.00")}, {"KXSTAT", "KXST", kCard}});
    EXPECT_GE(clock.monotonicMs(), 270000);
    EXPECT_LT(clock.monotonicMs(), 280000);
}

TEST_F(CardPayments, TheTerminalGetsItsPrintPauseBeforeItsNextPaymentInTheSameReceipt)
{
    saveCardType(5, 2, 1, 0, 0, 10);
    timeCardCommands();
    const struct {
        const char *name;
        QString statuses;
        int payments;
        bool paused; // before the last card payment
    } cases[] = {
        {"receipt still open", "1 2 2 2 0", 2, true},
        {"the last job closed its receipt", "0", 1, false},
        {"receipt closed by the first payment", "1 0 1 2", 2, false},
    };
    for (const auto &c : cases) {
        for (int i = 0; i < c.payments; ++i)
            verdict(kCard, {{3000, reply(approval("500"))}});
        replies["KXSTAT"] = stat(c.statuses);
        run(QStringList(c.payments, toLine("5", "5.00")));
        ASSERT_GE(sentAt.size(), 2u);
        EXPECT_EQ(sentAt.back() - sentAt[sentAt.size() - 2] >= 10000, c.paused) << c.name;
    }
}

// A card declined and booked on cash leaves the rest of the receipt for
// the operator to finish at the register: the warning waits for that.
TEST_F(CardPayments, TheWarningWaitsForTheOperatorWithoutSpinning)
{
    saveCardType(5, 2, 1, 2, 1);
    std::vector<qint64> polls; // status queries once the window is up
    QPointer<RegisterMessage> window;
    std::function<void(RegisterMessage &)> operatorAction;
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        if (command == "KXSTAT" && window)
            polls.push_back(clock.monotonicMs());
        script(command, reg);
    };
    std::size_t seen = 0; // windows are looked at when first seen, while they are up
    op.onEvents = [&] {
        for (; seen < op.shownWindows.size(); ++seen)
            if (op.shownWindows[seen]->caption() == "Μύνημα Ταμειακής")
                window = op.shownWindows[seen];
        if (window && operatorAction)
            operatorAction(*window);
    };
    const auto job = [&](std::function<void(RegisterMessage &)> action) {
        operatorAction = std::move(action);
        replies["KXSTAT"] = stat("1 2");
        verdict(kCard, {{1000, reply("358ER:03")}});
        run({toLine("5", "5.00")});
        EXPECT_EQ(body().mid(body().indexOf(kWarning.front())), kWarning);
        EXPECT_EQ(maskedResult().last(), "exitcode = 0");
    };

    // Closing the window gives up the wait: no status query after the first.
    job([](RegisterMessage &w) { w.close(); });
    EXPECT_TRUE(polls.empty());

    // The operator finishes the receipt a minute later.
    job([this](RegisterMessage &w) {
        EXPECT_EQ(w.message(), "Ολοκληρώστε την απόδειξη...");
        if (clock.monotonicMs() >= 60000)
            replies["KXSTAT"] = stat("0");
    });
    ASSERT_GE(polls.size(), 2u);
    for (std::size_t i = 1; i < polls.size(); ++i)
        EXPECT_GE(polls[i] - polls[i - 1], 250) << "one status query per pause";

    // Printed once: the next job has nothing to warn about.
    run({});
    EXPECT_FALSE(commands.contains(kWarning.front()));
}

} // namespace
