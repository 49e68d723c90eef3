// Each reply belongs to its command, and stops change what is sent, never
// how a reply is read: stale bytes read off before a command, queries that
// give way to a stop only when unanswered, no resend after a stop, and the
// card terminal's verdict waited for through a first stop.
#include "link_fixture.h"

#include "core/register_message.h"

using namespace merovan;
using namespace merovan::test;

namespace {

QString cardWait() { return QStringLiteral("Αναμονή απάντησης τερματικού καρτών..."); }

// Bytes that were waiting before a command are not its reply.
TEST_F(LinkTest, BytesWaitingBeforeACommandAreReadOffAsStale)
{
    const struct {
        const char *what;
        QString waiting;
        const char *logged; // the stale line's text, or nullptr
    } cases[] = {
        {"nothing", {}, nullptr},
        {"a late reply", reply(QStringLiteral("00 OK")), "00 OKASC(13) ASC(4) "},
        {"a late refusal", QStringLiteral("DE1038"), "DE1038"},
        {"half a reply", QStringLiteral("00 O"), "00 O"},
    };
    log.setActive(true);
    QStringList lines;
    QObject::connect(&log, &DebugLog::lineAdded, [&](const QString &line) { lines << line; });
    registerScript = [](const QString &command, FakeTransport &reg) { reg.arrive(5, reply(command.mid(2) + " OK")); };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        link.sendCommand(QStringLiteral("KXA"), {.silent = true});
        if (!c.waiting.isEmpty())
            fake->arrive(0, c.waiting);
        lines.clear();
        const CommandResult b = link.sendCommand(QStringLiteral("KXB"), {.silent = true});
        EXPECT_EQ(b.code, 0);
        EXPECT_EQ(b.text, QStringLiteral("B OK"));
        const QStringList stale = lines.filter(QStringLiteral("stale: "));
        ASSERT_EQ(stale.size(), c.logged ? 1 : 0);
        if (c.logged) {
            EXPECT_TRUE(stale[0].endsWith(QStringLiteral("      stale: ") + QLatin1String(c.logged)))
                << stale[0].toStdString();
        }
    }
    EXPECT_TRUE(resultLines().isEmpty());
}

// A register busy for 7.6 s on one item: its reply comes after the resend,
// the reply to the resend right behind it. Every later command still gets
// its own reply, and the item, sent twice, is reported as a possible double.
TEST_F(LinkTest, AReplyLateBeyondTheDeadlineShiftsNoLaterReply)
{
    registerScript = [](const QString &command, FakeTransport &reg) {
        if (command == QStringLiteral("KX100R1A")) // at 7.6 s, the resend's reply right behind
            reg.arrive(reg.sent.size() == 1 ? 7600 : 601, reply(QStringLiteral("00 OK")));
        else if (command == QStringLiteral("KX100R1B"))
            reg.arrive(5, QStringLiteral("DE1038"));
        else
            reg.arrive(5, reply(command == QStringLiteral("KXCL") ? QStringLiteral("00 OK") : command));
    };
    EXPECT_EQ(link.sendCommand(QStringLiteral("KX100R1A"), {.silent = true}).code, 0);
    EXPECT_EQ(link.sendCommand(QStringLiteral("KX100R1B"), {.silent = true}).code, 1038);
    EXPECT_EQ(link.sendCommand(QStringLiteral("KXRE"), {.silent = true}).text, QStringLiteral("KXRE"));
    EXPECT_EQ(fake->sent,
              (QStringList{"KX100R1A\r\n", "KX100R1A\r\n", "KX100R1B\r\n", "KXCL\r\n", "KXRE\r\n"}));
    const QStringList lines = resultLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral(
        "Err = -96, [KX100R1A sent again after no answer; the register may hold it twice] DateTime = ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Err = 1038, [KX100R1B] DateTime = ")));
    ASSERT_EQ(op.boxes.size(), 1u) << "the operator is told of the possible double";
    EXPECT_TRUE(op.boxes[0].text.contains(QStringLiteral("KX100R1A")));
}

// A query that gives way to stops takes the reply that arrives, however
// late in its first half second; an unanswered one gives way within a
// second of the stop and is not sent again.
struct GiveWayCase {
    const char *name;
    qint64 replyAfterMs; // -1: never
    qint64 stopAtMs;
    qint16 code;
    int sends;
};

class QueryGivingWay : public LinkTest, public ::testing::WithParamInterface<GiveWayCase> {};

TEST_P(QueryGivingWay, TakesWhatArrivesAndGivesUpOnSilence)
{
    const GiveWayCase &c = GetParam();
    registerScript = [&c](const QString &, FakeTransport &reg) {
        if (c.replyAfterMs >= 0)
            reg.arrive(c.replyAfterMs, reply(QStringLiteral("STAT:1")));
    };
    StopRequests &stops = link.stops();
    if (c.stopAtMs == 0)
        stops.request();
    else
        clock.at(c.stopAtMs, [&stops] { stops.request(); });
    const RegisterLink::QueriesGiveWayToStops giveWay(link);
    const CommandResult status = link.sendCommand(QStringLiteral("KXSTAT"), {.silent = true});

    EXPECT_EQ(status.code, c.code);
    EXPECT_EQ(fake->sent.size(), c.sends);
    EXPECT_EQ(resultLines().size(), c.code == 0 ? 0 : 1);
    if (c.code != 0) {
        EXPECT_LT(clock.monotonicMs() - c.stopAtMs, 1000);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QueryGivingWay,
    ::testing::Values(GiveWayCase{"answered_at_once", 5, 0, 0, 1}, GiveWayCase{"answered_in_200_ms", 200, 0, 0, 1},
                      GiveWayCase{"answered_in_450_ms", 450, 0, 0, 1},
                      GiveWayCase{"stop_as_the_reply_arrives", 1500, 1500, 0, 1},
                      GiveWayCase{"never_stop_before", -1, 0, -4, 1}, GiveWayCase{"never_stop_at_3_s", -1, 3050, -4, 1},
                      GiveWayCase{"never_stop_in_the_second_send", -1, 8000, -4, 2}),
    [](const auto &info) { return std::string(info.param.name); });

// The wait before a payment, with a stop already asked for: a register
// that answers, however slowly, writes nothing.
TEST_F(LinkTest, AStatusWaitAfterAStopTakesTheAnswerAndWritesNothing)
{
    for (const qint64 latency : {5, 200}) {
        registerScript = [latency](const QString &, FakeTransport &reg) {
            reg.arrive(latency, reply(QStringLiteral("STAT:1")));
        };
        link.stops().request();
        link.waitUntilErrorCleared(2, -1);
        EXPECT_TRUE(resultLines().isEmpty()) << latency;
        EXPECT_TRUE(op.shownWindows.empty()) << latency;
    }
}

// After a stop request a command that gets no answer is not sent again:
// one deadline (with its extra time), then its "Err = -4" line.
struct UnansweredCase {
    int requests;
    int extraTimeout;
};

class UnansweredAfterAStop : public LinkTest, public ::testing::WithParamInterface<UnansweredCase> {};

TEST_P(UnansweredAfterAStop, IsSentOnceAndEndsAtItsDeadline)
{
    const UnansweredCase &c = GetParam();
    registerScript = [](const QString &, FakeTransport &) {};
    StopRequests &stops = link.stops();
    clock.at(1000, [&] {
        for (int i = 0; i < c.requests; ++i)
            stops.request();
    });
    const CommandResult item =
        link.sendCommand(QStringLiteral("KX100R1A"), {.silent = true, .extraTimeout = c.extraTimeout});
    EXPECT_EQ(item.code, -4);
    EXPECT_EQ(fake->sent, QStringList{QStringLiteral("KX100R1A\r\n")});
    EXPECT_EQ(clock.monotonicMs(), (7 + c.extraTimeout) * 1000);
    ASSERT_EQ(resultLines().size(), 1);
    EXPECT_TRUE(resultLines()[0].startsWith(QStringLiteral("Err = -4, [KX100R1A] DateTime = ")));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnansweredAfterAStop,
                         ::testing::Values(UnansweredCase{1, 0}, UnansweredCase{2, 0}, UnansweredCase{2, 3}),
                         [](const auto &info) {
                             return std::to_string(info.param.requests) + "_requests_" +
                                    std::to_string(info.param.extraTimeout) + "_s_more";
                         });

// The wait for a card terminal's verdict: a first stop does not end it;
// the operator's close, a second stop and the deadline do, and the result
// says whether a later message came. Meanwhile the status line says what
// the bridge waits for.
struct CardWaitCase {
    const char *name;
    std::vector<qint64> stopsAt;
    qint64 closeAt;   // -1: the window stays
    qint64 verdictAt; // -1: never
    bool laterMessage;
    qint64 elapsedMs;
};

class CardWait : public LinkTest, public ::testing::WithParamInterface<CardWaitCase> {};

TEST_P(CardWait, EndsOnlyWithTheVerdictTheOperatorASecondStopOrTheDeadline)
{
    const CardWaitCase &c = GetParam();
    registerScript = [&c](const QString &, FakeTransport &reg) {
        reg.arrive(5, reply(QStringLiteral("00 OK")));
        if (c.verdictAt >= 0)
            reg.arrive(c.verdictAt, reply(QStringLiteral("358OK")));
    };
    for (const qint64 at : c.stopsAt)
        clock.at(at, [this] { link.stops().request(); });
    if (c.closeAt >= 0)
        clock.at(c.closeAt, [this] { op.shownWindows.back()->close(); });
    QString shown;
    clock.at(1000, [&] { shown = op.model.status(); });

    const CommandResult card = link.sendCommand(QStringLiteral("KX500T2P1"), {.silent = true, .asyncSeconds = 270});
    EXPECT_EQ(card.code, 0);
    EXPECT_EQ(card.laterMessage, c.laterMessage);
    EXPECT_EQ(card.text, c.laterMessage ? QStringLiteral("358OK") : QStringLiteral("00 OK"));
    EXPECT_EQ(clock.monotonicMs(), c.elapsedMs);
    EXPECT_EQ(shown, cardWait());
    EXPECT_FALSE(op.model.status().startsWith(cardWait())) << "said no longer once the wait is over";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CardWait,
    ::testing::Values(CardWaitCase{"verdict", {}, -1, 60000, true, 62100},
                      CardWaitCase{"first_stop_waits_for_the_verdict", {10000}, -1, 60000, true, 62100},
                      CardWaitCase{"second_stop_ends_it", {10000, 20000}, -1, 60000, false, 20105},
                      CardWaitCase{"operator_closes_it", {10000}, 30000, 60000, false, 30105},
                      CardWaitCase{"deadline", {}, -1, -1, false, 270105}),
    [](const auto &info) { return std::string(info.param.name); });

// A stop note pinned during the card wait is shown after what is awaited.
TEST_F(LinkTest, TheCardWaitIsShownBeforeAPinnedStopNote)
{
    const QString note = QStringLiteral("Τερματισμός μετά την ολοκλήρωση της τρέχουσας εργασίας...");
    op.model.setStatus(QStringLiteral("Εκτυπωση Ενεργή.. Παρακαλώ Περιμένετε"));
    QString during;
    clock.at(1000, [&] {
        op.model.pinStatusNote(note);
        during = op.model.status();
    });
    link.sendCommand(QStringLiteral("KX500T2P1"), {.silent = true, .asyncSeconds = 5});
    EXPECT_EQ(during, cardWait() + QLatin1Char(' ') + note);
    EXPECT_EQ(op.model.status(), note);
}

} // namespace
