// A reply lost on the network after an item, a payment or a query: the
// command is sent again, and the result block tells the truth about it.
#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

QString plu(const QString &description, const QString &price)
{
    return " PLU " + QString(14, ' ') + description.leftJustified(24) + "    " + QString("1").rightJustified(7) + "  " +
           price.rightJustified(9) + "   " + QString("24").rightJustified(5);
}

struct LostReplyCase {
    const char *name;
    QString lostAfter; // the command whose first reply is lost
    QStringList sent;  // after the opening "KXCL"s
    QStringList written;
};

class LostReply : public ScriptedRegister, public ::testing::WithParamInterface<LostReplyCase> {};

// A register that keeps its status: an item opens the receipt, the cash
// payment closes it.
TEST_P(LostReply, IsSentAgainAndTheBlockSaysWhatTheRegisterMayHold)
{
    const LostReplyCase &c = GetParam();
    int status = 0;
    bool armed = false, lost = false;
    registerScript = [&](const QString &command, FakeTransport &reg) {
        commands << command;
        if (command.startsWith("KX150R"))
            status = 1;
        if (command == "KX300T1")
            status = 0;
        if (armed && command == c.lostAfter && !lost) {
            lost = true;
            return;
        }
        reg.arrive(5, reply(command == "KXSTAT" ? QString("STAT:%1").arg(status)
                            : command == "KXRE" ? QString("RE:00007:00002:00001")
                                                : QString("00 OK")));
    };
    run({}); // the last job's end leaves the register's status known: 0
    QFile::remove(dir.filePath("Result"));
    armed = true;
    run({plu("A", "1.50"), plu("B", "1.50"), toLine("1", "3.00")});

    EXPECT_EQ(commands.mid(2), c.sent);
    const QStringList result = maskedResult();
    EXPECT_EQ(result.mid(2, result.size() - 6), c.written);
    EXPECT_EQ(result.value(result.size() - 2), "receipt = 00007, 00002, 00001, 0");
    EXPECT_EQ(result.last(), "exitcode = 0");
    EXPECT_EQ(op.boxes.size(), std::size_t(c.written.size()));
}

const QString kA = "KX150R1A", kB = "KX150R1B", kPay = "KX300T1";
const QString kDoubleB =
    "Err = -96, [KX150R1B sent again after no answer; the register may hold it twice] DateTime = <time>";

INSTANTIATE_TEST_SUITE_P(
    Cases, LostReply,
    ::testing::Values(
        LostReplyCase{"nothing", {}, {kA, kB, "KXSTAT", "KXST", kPay, "KXSTAT", "KXSTAT", "KXRE"}, {}},
        // With no receipt open before it, the status shows the first item taken.
        LostReplyCase{"after_the_first_item", kA, {kA, "KXSTAT", kB, "KXSTAT", "KXST", kPay, "KXSTAT", "KXSTAT", "KXRE"},
                      {}},
        LostReplyCase{"after_the_second_item", kB, {kA, kB, kB, "KXSTAT", "KXST", kPay, "KXSTAT", "KXSTAT", "KXRE"},
                      {kDoubleB}},
        // The closed receipt shows the payment taken.
        LostReplyCase{"after_the_payment", kPay, {kA, kB, "KXSTAT", "KXST", kPay, "KXSTAT", "KXSTAT", "KXSTAT", "KXRE"},
                      {}},
        LostReplyCase{"after_a_query", "KXRE", {kA, kB, "KXSTAT", "KXST", kPay, "KXSTAT", "KXSTAT", "KXRE", "KXRE"}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
