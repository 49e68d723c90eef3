#include "core/register_message.h"
#include "scripted_register.h"

#include <QDir>
#include <QPointer>

#include <tuple>

using namespace merovan;
using namespace merovan::test;

namespace {

class Payments : public ScriptedRegister {};

TEST_F(Payments, PaymentLinesAndTheCurrencySetting)
{
    const auto currency = [](CurrencyRule rule) { return setting(&ParamSettings::currency, rule); };
    const QString sut0 = jobLine("sut", {{7, "0.00"}}), pay5 = toLine("1", "5.00"), card3 = toLine("3", "5.00");
    const QStringList plain3{"KXSTAT", "KXST", "KX500T3"};
    const auto pay = [](const char *type) { return jobLine("pay", {{7, type}}); };
    const JobCase cases[] = {
        {"comma decimals", {toLine("1", "10,00")}, {"KXSTAT", "KXST", "KX1000T1"}},
        {"one decimal is tenths of the digits", {toLine("1", "12.5")}, {"KXSTAT", "KXST", "KX125T1"}},
        {"zero amount", {sut0, toLine("1", "0.00")}, {}},
        {"type not a number", {toLine("x", "10.00")}, {}},
        {"setting 1 overrides the type", {card3}, {"KXSTAT", "KXST", "KX500T1"}, {}, {}, currency(CurrencyRule::Main)},
        {"setting 3 overrides the type", {pay5}, plain3, {}, {}, currency(CurrencyRule::Third)},
        {"setting 2 pays the rest once", {pay5, pay5, jobLine("ver")}, {"KXSTAT", "KXST", "KXT2", "KXSTAT", "KXVER"},
         {"f/w = 00 OK"}, {}, currency(CurrencyRule::Secondary)},
        {"setting 2 after a zero subtotal", {sut0, pay5}, {"KXSTAT", "KXST", "KXT2"}, {}, {}, currency(CurrencyRule::Secondary)},
        {"setting 2 after a subtotal", {jobLine("sut", {{7, "12.50"}}), pay5}, {}, {}, {}, currency(CurrencyRule::Secondary)},
        {"can with a receipt open ends the job", {jobLine("can", {{7, "12"}}), jobLine("voi")}, {},
         {"Err = --can, [cannot cancel, receipt is open] DateTime = <time>"}, {{"KXSTAT", stat("1 0")}}},
        {"can by number, remembered in the job",
         {jobLine("can"), jobLine("can", {{7, "  12"}}), jobLine("can", {{7, "x"}}), jobLine("voi")},
         {"KXSTAT", "KX@215T0", "KXCL", "KXSTAT", "KX@215T12", "KXCL", "KXSTAT", "KX@215T12", "KXCL", "KXVOID",
          "KXCL"}},
        {"pay with no receipt open", {pay("01")}, {}},
        {"pay: an error is no receipt", {jobLine("PAY", {{7, "01"}})}, {}, {}, {{"KXSTAT", stat("1038 0")}}},
        {"pay on an open receipt", {pay("01")}, {"KXSTAT", "KXSTAT", "KXST", "KXT1"}, {}, {{"KXSTAT", stat("1 0")}}},
        {"pay after a payment", {jobLine("Pay", {{7, " 4"}})}, {"KXSTAT", "KXSTAT", "KXST", "KXT4"}, {},
         {{"KXSTAT", stat("2 0")}}},
        {"pay type not a number", {pay("x")}, {}, {}, {{"KXSTAT", stat("1 0")}}, {}, 0,
         QStringList{fitMessageText("Λάθος Αριθμός πληρωμής στο αρχείο!")}},
        // A card payment type in a missing file or one that cannot be read
        // leaves a plain payment.
        {"no payeft.dat", {card3}, plain3, {}, {}, {}, 0, QStringList{}},
        {"read-only payeft.dat", {card3}, plain3, {}, {},
         [](ParamSettings &) {
             saveCardType(3);
             QFile::setPermissions("payeft.dat", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
         },
         0, QStringList{"Αδυναμία ανάγνωσης παραμέτρων πληρωμών: payeft.dat στον φάκελο " + QDir::currentPath()}},
    };
    for (const JobCase &c : cases)
        check(c);
}

TEST_F(Payments, PlainPaymentsGiveTheRegisterThreeSecondsMore)
{
    // Silent for 7 + 3 seconds less a little: still answered in time.
    registerScript = [this](const QString &command, FakeTransport &reg) {
        commands << command;
        reg.arrive(command == "KX1000T1" ? 9900 : 5, reply(replyTo(command)));
    };
    check({"slow payment", {toLine("1", "10.00")}, {"KXSTAT", "KXST", "KX1000T1"}});
}

const QString kCard = "KX500T2P1";
// The terminal's approval of 5,00 as the register brings it, and its result line.
const QString kApproval = "358OK          1:SALE:000017:500:0:0:260314:102030:M100:VISA:************1234:A1B2C3:001:"
                          "REF0042:00";
const QString kApproved = "ccPay0 = 1;000017;VISA;A1B2C3;REF0042;************1234;00;5,00";
const QStringList kWarning{"KXCO ΠΡΟΣΟΧΗ!", "KXCO  Η ΑΠΟΔΕΙΞΗ ΠΕΡΙΕΧΕΙ ΠΛΗΡΩΜΕΣ",
                           "KXCO    ΠΙΣΤ.ΚΑΡΤΩΝ ΠΟΥ ΑΠΕΤΥΧΑΝ", "KXCO ΥΠΑΡΧΕΙ ΥΠΟΛΟΙΠΟ ΠΡΟΣ ΕΙΣΠΡΑΞΗ",
                           "KXCO        ΑΠΟ ΤΟΝ ΠΕΛΑΤΗ", "KXCO ", "KXCO ", "KXCO ", "KXCO ", "KXCO "};

class CardPayments : public ScriptedRegister {
protected:
    CardPayments()
    {
        saveCardType(5);
        registerScript = [this, script = registerScript](const QString &command, FakeTransport &reg) {
            if (command.endsWith("P1"))
                sentAt.push_back(clock.monotonicMs());
            script(command, reg);
        };
    }

    std::vector<qint64> sentAt; // the times at which card commands are sent
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
    const Outcome cases[] = {
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
        saveCardType(5, c.key, c.retries, c.fallback);
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
    const QString whole = reply(kApproval), pay = toLine("5", "5.00");
    verdict(kCard, {{3000, whole.left(20)}, {3400, whole.mid(20)}});
    check({"a verdict in two pieces is read whole", {pay}, {"KXSTAT", "KXST", kCard}, {kApproved}});
    // A partial payment ends the item selection once, and takes no subtotal
    // while the receipt stays open.
    for (int i = 0; i < 3; ++i)
        verdict(kCard, {{3000, whole}});
    check({"partial payment", {jobLine("TBS", {{7, "6"}}), pay, pay, pay},
           {"KXSTAT", "KXPPAY", "KXFROM6", "KXSTAT", "KXTRFNO", kCard, "KXSTAT", "KXSTAT", kCard, "KXSTAT", "KXSTAT",
            "KXST", kCard},
           {kApproved, kApproved, kApproved}, {{"KXSTAT", stat("0 2 2 2 0")}}});
}

// The wait ends without the terminal's verdict: the card may have been
// charged, so nothing more is tried or booked, the result file says so
// before anything else, and the operator is told to check the terminal.
struct UnknownVerdictCase {
    const char *name;
    std::vector<qint64> stopsAt; // after the card command
    bool operatorCloses;
    QStringList sent;
    QStringList written;
    int exitCode;
};

class VerdictUnknown : public CardPayments, public ::testing::WithParamInterface<UnknownVerdictCase> {};

TEST_P(VerdictUnknown, IsWrittenToldAndNothingElseBooked)
{
    const UnknownVerdictCase &c = GetParam();
    saveCardType(5, 2, 2, 1);
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        if (command == kCard) {
            for (const qint64 at : c.stopsAt)
                clock.at(clock.monotonicMs() + at, [this] { link.stops().request(); });
            if (c.operatorCloses)
                clock.at(clock.monotonicMs() + 30000, [this] { op.shownWindows.back()->close(); });
        }
        script(command, reg);
    };
    check({c.name, {toLine("5", "5.00"), jobLine("com", {{7, "END"}})}, c.sent, c.written, {}, {}, c.exitCode});
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_TRUE(op.boxes[0].text.contains("τερματικού καρτών 1")) << op.boxes[0].text.toStdString();
}

const QString kUnknown = "Err = -95, [card terminal 1: verdict unknown, check the terminal] DateTime = <time>";

INSTANTIATE_TEST_SUITE_P(
    Cases, VerdictUnknown,
    ::testing::Values(
        UnknownVerdictCase{"deadline", {}, false, {"KXSTAT", "KXST", kCard, "KXSTAT", "KXCO END"}, {kUnknown}, 0},
        UnknownVerdictCase{"operator_closes_the_window", {}, true, {"KXSTAT", "KXST", kCard, "KXSTAT", "KXCO END"},
                           {kUnknown}, 0},
        UnknownVerdictCase{"second_stop",
                           {10000, 20000},
                           false,
                           {"KXSTAT", "KXST", kCard},
                           {kUnknown, "Err = -97, [interrupted at line 1 of 2] DateTime = <time>"},
                           1}),
    [](const auto &info) { return std::string(info.param.name); });

// A first stop request does not end the wait: the verdict is read, the
// job finishes with every line true.
TEST_F(CardPayments, AFirstStopWaitsForTheVerdict)
{
    verdict(kCard, {{60000, reply(kApproval)}});
    clock.at(10000, [this] { link.stops().request(); });
    check({"first stop", {toLine("5", "5.00"), jobLine("com", {{7, "END"}})},
           {"KXSTAT", "KXST", kCard, "KXSTAT", "KXCO END"}, {kApproved}});
    EXPECT_TRUE(op.boxes.empty());
}

TEST_F(CardPayments, TheTerminalGetsItsPrintPauseBeforeItsNextPaymentInTheSameReceipt)
{
    saveCardType(5, 2, 0, 0, 10);
    // The receipt's statuses, the card payments of the job, and whether the
    // last one waits for the pause.
    const std::tuple<const char *, QString, int, bool> cases[] = {
        {"receipt still open", "1 2 2 2 0", 2, true},
        {"the last job closed its receipt", "0", 1, false},
        {"receipt closed by the first payment", "1 0 1 2", 2, false},
    };
    for (const auto &[name, statuses, payments, paused] : cases) {
        for (int i = 0; i < payments; ++i)
            verdict(kCard, {{3000, reply(kApproval)}});
        replies["KXSTAT"] = stat(statuses);
        run(QStringList(payments, toLine("5", "5.00")));
        ASSERT_GE(sentAt.size(), 2u);
        EXPECT_EQ(sentAt.back() - sentAt[sentAt.size() - 2] >= 10000, paused) << name;
    }
}

// A card declined and booked on cash leaves the rest of the receipt for
// the operator to finish at the register: the warning waits for that.
TEST_F(CardPayments, TheWarningWaitsForTheOperatorWithoutSpinning)
{
    saveCardType(5, 2, 2, 1);
    std::vector<qint64> polls; // status queries while the window is up
    RegisterMessagePtr window;
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        if (command == "KXSTAT" && window && window->isOpen())
            polls.push_back(clock.monotonicMs());
        script(command, reg);
    };
    const auto job = [&](std::function<void(RegisterMessage &)> onShown) {
        op.onShown = [&, onShown](const RegisterMessagePtr &shown) {
            if (shown->caption() == "Μύνημα Ταμειακής") {
                window = shown;
                onShown(*shown);
            }
        };
        replies["KXSTAT"] = stat("1 2");
        verdict(kCard, {{1000, reply("358ER:03")}});
        run({toLine("5", "5.00")});
    };

    // Closing the window gives up the wait: no status query after the first,
    // and no warning inside the receipt that is still open.
    job([](RegisterMessage &w) { w.close(); });
    EXPECT_TRUE(polls.empty());
    EXPECT_FALSE(commands.contains(kWarning.front()));

    // The operator finishes the receipt a minute later.
    job([this](RegisterMessage &w) {
        EXPECT_EQ(w.message(), "Ολοκληρώστε την απόδειξη...");
        clock.at(clock.monotonicMs() + 60000, [this] { replies["KXSTAT"] = stat("0"); });
    });
    EXPECT_EQ(body().mid(body().indexOf(kWarning.front())), kWarning) << "once the receipt is closed";
    ASSERT_GE(polls.size(), 2u);
    for (std::size_t i = 1; i < polls.size(); ++i)
        EXPECT_GE(polls[i] - polls[i - 1], 250) << "one status query per pause";

    // Printed once: the next job has nothing to warn about.
    run({});
    EXPECT_FALSE(commands.contains(kWarning.front()));
}

} // namespace
