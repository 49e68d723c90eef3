#include "link_fixture.h"

#include "core/operator.h"
#include "core/register_message.h"

using namespace merovan;
using namespace merovan::test;

namespace {

const QString kNoAnswer = QStringLiteral("Ο Φορολ. Εκτυπωτής δεν Απαντά σε εντολή !");

struct ExchangeCase {
    const char *name;
    // What the register does with each command: pairs of delay and text.
    std::vector<std::pair<qint64, QString>> firstReply;
    std::vector<std::pair<qint64, QString>> laterReplies;
    int extraTimeout;
    qint16 result;
    QString message;
    QStringList sent;
    qint64 elapsedMs;
    QStringList resultFile;
};

class ExchangeOutcome : public LinkTest, public ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(ExchangeOutcome, GivesResultMessageWireAndResultFile)
{
    const ExchangeCase &c = GetParam();
    int commands = 0;
    registerScript = [&](const QString &, FakeTransport &reg) {
        for (const auto &[delay, text] : commands++ == 0 ? c.firstReply : c.laterReplies)
            reg.arrive(delay, text);
    };

    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true, .asyncSeconds = 0, .extraTimeout = c.extraTimeout});

    EXPECT_EQ(sent.code, c.result);
    EXPECT_EQ(sent.text, c.message);
    EXPECT_EQ(fake->sent, c.sent);
    EXPECT_EQ(clock.monotonicMs(), c.elapsedMs);
    EXPECT_EQ(resultLines(), c.resultFile);
    EXPECT_TRUE(op.boxes.empty()) << "a silent call shows nothing";
}

const QString kCl = QStringLiteral("KXCL\r\n");

// The "Err = " line of KXCL at 10:20:<seconds> (or <minutes:seconds>).
QString err(int code, const char *at, const char *hour = "10:20:")
{
    return QStringLiteral("Err = %1, [KXCL] DateTime = 14/03/2026 %2%3").arg(code).arg(QLatin1String(hour), QLatin1String(at));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Exchange, ExchangeOutcome,
    ::testing::Values(
        // name, first reply pieces, later replies, extra s, result, message, sent, elapsed ms, result file
        ExchangeCase{"ok", {{5, reply(QStringLiteral("00 OK"))}}, {}, 0, 0, QStringLiteral("00 OK"), {kCl}, 105, {}},
        ExchangeCase{"split_reply", {{5, QStringLiteral("00 ")}, {30, QStringLiteral("OK\r\x04")}}, {}, 0, 0,
                     QStringLiteral("00 OK"), {kCl}, 130, {}},
        ExchangeCase{"error_reply_without_eot", {{5, QStringLiteral("DE1038")}}, {{5, reply(QStringLiteral("00 OK"))}},
                     0, 1038, QStringLiteral("1038"), {kCl, kCl}, 1105, {err(1038, "31")}},
        // Cut inside its number: the rest is waited for, not read as DE10.
        ExchangeCase{"error_reply_cut_in_its_number", {{5, QStringLiteral("DE10")}, {35, QStringLiteral("38")}},
                     {{5, reply(QStringLiteral("00 OK"))}}, 0, 1038, QStringLiteral("1038"), {kCl, kCl}, 1135,
                     {err(1038, "31")}},
        ExchangeCase{"de_inside_text_is_ordinary", {{5, QStringLiteral("ΚΑΦΕDE")}}, {}, 0, 0,
                     QStringLiteral("ΚΑΦΕDE"), {kCl}, 105, {}},
        ExchangeCase{"never_answers", {}, {}, 0, -4, kNoAnswer, {kCl, kCl, kCl, kCl}, 28000, {err(-4, "58")}},
        ExchangeCase{"extra_time_per_attempt", {}, {}, 3, -4, kNoAnswer, {kCl, kCl, kCl, kCl}, 40000,
                     {err(-4, "21:10", "10:")}},
        ExchangeCase{"half_then_silent", {{5, QStringLiteral("00 O")}}, {}, 0, -4, kNoAnswer, {kCl, kCl, kCl, kCl},
                     28000, {err(-4, "58")}},
        // The reply came at 7.5 s, in the second attempt: the first piece is kept.
        ExchangeCase{"late_reply_kept_across_attempts", {{6000, QStringLiteral("00 ")}, {7500, QStringLiteral("OK\r\x04")}},
                     {}, 0, 0, QStringLiteral("00 OK"), {kCl, kCl}, 7600, {}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(LinkTest, NoAnswerAloudSetsCaptionAndShowsFittedBox)
{
    registerScript = [](const QString &, FakeTransport &) {};
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = false});

    EXPECT_EQ(op.model.caption(), kNoAnswer + QStringLiteral("Σφάλμα !!!"));
    ASSERT_EQ(op.boxes.size(), 1u);
    // Cut at 40 characters: the final "!" is lost.
    EXPECT_EQ(op.boxes[0].text, kNoAnswer.left(40));
    EXPECT_EQ(op.boxes[0].style, MsgInformation | MsgSystemModal);
    EXPECT_EQ(op.boxes[0].caption, QStringLiteral("Μύνημα Φορολ. Εκτυπωτή"));
}

TEST_F(LinkTest, ErrorReplyAloudShowsGreekTextAndCode)
{
    registerScript = [](const QString &, FakeTransport &reg) { reg.arrive(5, reply(QStringLiteral("DE1038"))); };
    link.sendCommand(QStringLiteral("KX100R1"));

    const QString text = QStringLiteral("Ανοικτή Απόδειξη, Υποχρεωτική Εξόφληση!");
    EXPECT_EQ(link.lastRegisterError(), 1038);
    EXPECT_EQ(op.model.caption(), text + QStringLiteral("Σφάλμα !!!"));
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, fitMessageText(QStringLiteral("Λάθος : 1038\r") + text));
    EXPECT_EQ(op.boxes[0].style, MsgCritical | MsgSystemModal);
    EXPECT_EQ(op.boxes[0].caption, QStringLiteral("Merovan4_Vyd"));
}

TEST_F(LinkTest, ErrorReplyWithoutNumberIsNeverSuccess)
{
    registerScript = [](const QString &, FakeTransport &reg) { reg.arrive(5, reply(QStringLiteral("DEXY"))); };
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = false});
    EXPECT_EQ(sent.code, -99);
}

TEST_F(LinkTest, LogShowsSendReplyAndSeparatorWithControlCodes)
{
    log.setActive(true);
    QStringList lines;
    QObject::connect(&log, &DebugLog::lineAdded, [&](const QString &line) { lines << line; });
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true});

    EXPECT_EQ(lines, (QStringList{QStringLiteral("20:30       send:[KXCL]"),
                                  QStringLiteral("20:30      reply: 00 OKASC(13) ASC(4) "),
                                  QStringLiteral("20:30      reply: 00 OKASC(13) ASC(4) "),
                                  QStringLiteral("20:30 -----------")}));
}

TEST_F(LinkTest, CardVerdictLateAndInTwoPartsReplacesFirstReply)
{
    const QString verdict = QStringLiteral("358OK          0001:x:TID7:1234:a:b:c:d:e:AUTH:REF:CARD:g:BANK:STAN");
    registerScript = [&](const QString &, FakeTransport &reg) {
        reg.arrive(5, reply(QStringLiteral("00 OK")));
        reg.arrive(60000, verdict.left(20));
        reg.arrive(61000, verdict.mid(20) + QStringLiteral("\r\x04"));
    };
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KX1000T5"), {.silent = true, .asyncSeconds = 270, .extraTimeout = 3});

    EXPECT_EQ(sent.code, 0);
    EXPECT_EQ(sent.text, verdict);
    EXPECT_EQ(clock.monotonicMs(), 62100);
    ASSERT_EQ(op.shownWindows.size(), 1u);
    EXPECT_EQ(resultLines(), QStringList{QStringLiteral("ccPay0 = 0001;TID7;AUTH;CARD;BANK;REF;STAN;12,34")});
}

TEST_F(LinkTest, ClosingTheWindowEndsTheCardWaitWithTheFirstReply)
{
    clock.at(300, [this] { op.shownWindows.back()->close(); });
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KX1000T5"), {.silent = true, .asyncSeconds = 270});

    EXPECT_EQ(sent.text, QStringLiteral("00 OK"));
    EXPECT_TRUE(link.waitCancelled);
    EXPECT_LT(clock.monotonicMs(), 1000);
}

TEST_F(LinkTest, CardWaitWithoutVerdictEndsAtItsDeadline)
{
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KX1000T5"), {.silent = true, .asyncSeconds = 270});
    EXPECT_EQ(sent.text, QStringLiteral("00 OK"));
    EXPECT_EQ(clock.monotonicMs(), 270105) << "270 s from the end of the first reply, then the 100 ms pause";
}

// The wait for a later message after the first reply: none at all with 0
// seconds, yet a message already there is taken (after its 2 s pause).
struct AsyncCase {
    const char *name;
    int seconds;
    qint64 laterAt; // when the later message arrives; -1: never
    const char *message;
    qint64 elapsedMs;
};

class AsynchronousWait : public LinkTest, public ::testing::WithParamInterface<AsyncCase> {};

TEST_P(AsynchronousWait, TakesTheTimeAskedFor)
{
    const AsyncCase &c = GetParam();
    registerScript = [&](const QString &, FakeTransport &reg) {
        reg.arrive(5, reply(QStringLiteral("00 OK")));
        if (c.laterAt >= 0)
            reg.arrive(c.laterAt, reply(QStringLiteral("356OK")));
    };
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KX1000T5"), {.silent = true, .asyncSeconds = c.seconds});
    EXPECT_EQ(sent.text, QLatin1String(c.message));
    EXPECT_EQ(clock.monotonicMs(), c.elapsedMs);
}

INSTANTIATE_TEST_SUITE_P(Cases, AsynchronousWait,
                         ::testing::Values(AsyncCase{"none_nothing_more", 0, -1, "00 OK", 105},
                                           AsyncCase{"none_message_already_there", 0, 5, "356OK", 2105},
                                           AsyncCase{"none_message_a_moment_later", 0, 50, "00 OK", 105},
                                           AsyncCase{"five_message_after_three", 5, 3005, "356OK", 5105},
                                           AsyncCase{"five_nothing_more", 5, -1, "00 OK", 5105}),
                         [](const auto &info) { return std::string(info.param.name); });

// After the pause that follows an error reply, the answer to "KXCL" is read
// as the line reads: on a serial line it may come a moment late, and it
// must not be taken as the next command's reply.
TEST_F(LinkTest, AReplyAMomentLateAfterThePauseIsNotLeftForTheNextCommand)
{
    connection.connectionText = QStringLiteral("com1:9600");
    int commands = 0;
    registerScript = [&](const QString &command, FakeTransport &reg) {
        reg.readTimeout = 256;
        if (++commands == 1)
            reg.arrive(5, QStringLiteral("DE1038"));
        else if (command == QStringLiteral("KXCL"))
            reg.arrive(1002, reply(QStringLiteral("00 OK"))); // 2 ms after the pause
        else
            reg.arrive(5, reply(QStringLiteral("A2 OK")));
    };
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXA1"), {.silent = true});
    EXPECT_EQ(sent.code, 1038);
    sent = link.sendCommand(QStringLiteral("KXA2"), {.silent = true});
    EXPECT_EQ(sent.text, QStringLiteral("A2 OK"));
}

TEST_F(LinkTest, FailedSerialOpenSendsNothingAndIsNotRetried)
{
    connection.connectionText = QStringLiteral("com7:9600");
    openCode = -1;
    CommandResult sent;
    sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true});
    EXPECT_EQ(sent.code, -1);
    EXPECT_TRUE(fake->sent.isEmpty());
    EXPECT_TRUE(resultLines().isEmpty());

    FakeTransport *first = fake;
    sent = link.sendCommand(QStringLiteral("KXCL"), {.silent = true});
    EXPECT_EQ(fake, first) << "no second open";
    EXPECT_EQ(kinds, std::vector<TransportKind>{TransportKind::Serial});
    EXPECT_EQ(fake->sent, QStringList{QStringLiteral("KXCL\r\n")});
}

struct CardReplyCase {
    QString rest;
    QString formatted;
};

TEST(formatCardReply, OrdersFieldsAndWritesCentsWithComma)
{
    const auto fields = [](const QString &cents) {
        return QStringLiteral("f0:f1:f2:%1:f4:f5:f6:f7:f8:f9:f10:f11:f12:f13:f14").arg(cents);
    };
    const CardReplyCase cases[] = {
        {fields(QStringLiteral("5")), QStringLiteral("f0;f2;f9;f11;f13;f10;f14;0,05")},
        {fields(QStringLiteral("75")), QStringLiteral("f0;f2;f9;f11;f13;f10;f14;0,75")},
        {fields(QStringLiteral("1234")), QStringLiteral("f0;f2;f9;f11;f13;f10;f14;12,34")},
        {QStringLiteral("a:b:c:100"), QStringLiteral("a;c;;;;;;1,00")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatCardReply(c.rest), c.formatted) << c.rest.toStdString();
}

} // namespace
