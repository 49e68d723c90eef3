// A command sent again after silence may be on the register twice: the
// result file says so, unless the register's status settles it.
#include "link_fixture.h"

#include "device/command_kinds.h"

#include <algorithm>

using namespace merovan;
using namespace merovan::test;

namespace {

using Effect = StatusEffect;

// What becomes of one command on a register that loses commands and
// replies, send by send.
struct DoubleCase {
    const char *name;
    QStringList before;  // sent first, answered ("KXSTAT" reads the status)
    int status;          // the register's status at the start
    QString command;
    Effect effect;
    int statusTaken;     // its status once it has taken the command
    QStringList fates;   // per send: "taken", "reply lost", "lost", "refused", "late" (answered at 7.5 s)
    QStringList checks;  // per status check between sends: "answered", "lost"
    QStringList sent;    // from the command on
    qint16 code;
    bool warned;         // "Err = -96" written, operator told
    int held;            // how often the register took it
};

class PossibleDouble : public LinkTest, public ::testing::WithParamInterface<DoubleCase> {};

TEST_P(PossibleDouble, IsToldUnlessTheStatusSettlesIt)
{
    const DoubleCase &c = GetParam();
    int status = c.status, sends = 0, checks = 0, held = 0;
    qint64 busyUntil = 0;
    bool checking = false;
    registerScript = [&](const QString &command, FakeTransport &reg) {
        const auto answer = [&](const QString &text) {
            reg.arrive(std::max<qint64>(5, busyUntil + 5 - clock.monotonicMs()), reply(text));
        };
        if (command == QStringLiteral("KXSTAT")) {
            if (!checking || c.checks.value(checks++) == QStringLiteral("answered"))
                answer(QStringLiteral("STAT:%1").arg(status));
            return;
        }
        if (command != c.command) {
            answer(QStringLiteral("00 OK"));
            return;
        }
        const QString fate = c.fates.value(sends++, QStringLiteral("taken"));
        if (fate == QStringLiteral("refused"))
            reg.arrive(5, QStringLiteral("DE1038"));
        if (fate == QStringLiteral("lost") || fate == QStringLiteral("refused"))
            return;
        ++held;
        status = c.statusTaken;
        if (fate == QStringLiteral("late"))
            busyUntil = clock.monotonicMs() + 7500;
        if (fate == QStringLiteral("taken") || fate == QStringLiteral("late"))
            answer(QStringLiteral("00 OK"));
    };
    for (const QString &command : c.before) {
        if (command == QStringLiteral("KXSTAT"))
            link.readRegisterStatus();
        else
            link.sendCommand(command, {.silent = true});
    }
    const qsizetype already = fake ? fake->sent.size() : 0;
    checking = true;

    const CommandResult result = link.sendCommand(c.command, {.silent = true, .statusEffect = c.effect});
    QStringList sent = fake->sent.mid(already);
    sent.replaceInStrings(QStringLiteral("\r\n"), QString());
    EXPECT_EQ(sent, c.sent);
    EXPECT_EQ(result.code, c.code);
    const QString warning = QStringLiteral("Err = -96, [%1 sent again after no answer; the register may hold it twice] "
                                           "DateTime = ")
                                .arg(c.command);
    const QStringList lines = resultLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [&](const QString &l) { return l.startsWith(warning); }),
              c.warned ? 1 : 0)
        << lines.join(u'|').toStdString();
    EXPECT_EQ(op.boxes.size(), c.warned ? 1u : 0u);
    EXPECT_EQ(held, c.held);
    if (held >= 2 && !isQuery(c.command)) {
        EXPECT_TRUE(c.warned) << "a double is never silent";
    }
}

const QString kItem = QStringLiteral("KX100R1A"), kPay = QStringLiteral("KX500T1"), kStat = QStringLiteral("KXSTAT");
const QStringList kStatusRead{kStat};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, PossibleDouble,
    ::testing::Values(
        // name, before, status, command, effect, status once taken, fates, checks, sent, code, warned, held
        DoubleCase{"status_unknown_reply_lost", {}, 0, kItem, Effect::OpensReceipt, 1,
                   {"reply lost"}, {}, {kItem, kItem}, 0, true, 2},
        DoubleCase{"first_item_reply_lost_settled_taken", kStatusRead, 0, kItem, Effect::OpensReceipt, 1,
                   {"reply lost"}, {"answered"}, {kItem, kStat}, 0, false, 1},
        DoubleCase{"first_item_lost_sent_again_once", kStatusRead, 0, kItem, Effect::OpensReceipt, 1,
                   {"lost"}, {"answered"}, {kItem, kStat, kItem}, 0, false, 1},
        DoubleCase{"first_item_lost_then_the_resends_reply_lost", kStatusRead, 0, kItem, Effect::OpensReceipt, 1,
                   {"lost", "reply lost"}, {"answered", "answered"}, {kItem, kStat, kItem, kStat}, 0, false, 1},
        DoubleCase{"first_item_reply_lost_and_the_check_unanswered", kStatusRead, 0, kItem, Effect::OpensReceipt, 1,
                   {"reply lost"}, {"lost"}, {kItem, kStat, kItem}, 0, true, 2},
        DoubleCase{"first_item_answered_late_during_the_check", kStatusRead, 0, kItem, Effect::OpensReceipt, 1,
                   {"late"}, {"answered"}, {kItem, kStat}, 0, false, 1},
        DoubleCase{"a_key_since_the_status_was_read", {kStat, "KX- "}, 0, kItem, Effect::OpensReceipt, 1,
                   {"reply lost"}, {}, {kItem, kItem}, 0, true, 2},
        DoubleCase{"an_item_in_an_open_receipt", kStatusRead, 1, kItem, Effect::OpensReceipt, 1,
                   {"reply lost"}, {}, {kItem, kItem}, 0, true, 2},
        DoubleCase{"closing_payment_reply_lost_settled_taken", kStatusRead, 1, kPay, Effect::Pays, 0,
                   {"reply lost"}, {"answered"}, {kPay, kStat}, 0, false, 1},
        DoubleCase{"first_payment_lost_sent_again_once", kStatusRead, 1, kPay, Effect::Pays, 0,
                   {"lost"}, {"answered"}, {kPay, kStat, kPay}, 0, false, 1},
        DoubleCase{"second_partial_payment_reply_lost", kStatusRead, 2, kPay, Effect::Pays, 2,
                   {"reply lost"}, {"answered"}, {kPay, kStat, kPay}, 0, true, 2},
        DoubleCase{"a_query_sent_again_is_no_double", {}, 0, "KXRE", Effect::None, 0,
                   {"reply lost"}, {}, {"KXRE", "KXRE"}, 0, false, 2},
        DoubleCase{"refused_after_a_resend", {}, 0, kItem, Effect::OpensReceipt, 1,
                   {"reply lost", "refused"}, {}, {kItem, kItem, "KXCL"}, 1038, false, 1},
        DoubleCase{"never_answered", {}, 0, kItem, Effect::OpensReceipt, 1,
                   {"reply lost", "reply lost", "reply lost", "reply lost"}, {}, {kItem, kItem, kItem, kItem}, -4,
                   true, 4}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
