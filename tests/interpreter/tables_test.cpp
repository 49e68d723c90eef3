#include "greek/register_text.h"
#include "interpreter/table_text.h"
#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

QString q(const char *text) { return QString::fromUtf8(text); }

const QString kWrongTable = q("Λάθος Αριθμός Τραπεζιού");

// A table line with its first number at 7-9 and its second at 11-13.
QString tableLine(const char *keyword, const QString &first, const QString &second = {})
{
    return jobLine(q(keyword), {{7, first}, {11, second}});
}

class Tables : public ScriptedRegister {
protected:
    QString exitLine() const { return maskedResult().last(); }
};

TEST_F(Tables, TableTextPutsTheSecondNameFirst)
{
    const std::pair<QString, QString> cases[] = {
        {q("ANNA~JOHN"), q(",JOHN: ANNA")},
        {q("ANNA"), q(",ANNA")},
        {q("   "), q("")},
        {q(""), q("")},
        {q("  anna~john  "), q(",JOHN: ANNA")},
        {q("ANNA~"), q(",ANNA")},
        {q("ABCDEFGHIJKLMNOPQRSTUVWXYZ~ABCDEFGHIJKLMN"), q(",ABCDEF: ABCDEFGHIJKLMNOPQRST")},
        {q("ANNA~ABCDEFGHIJKLMN"), q(",ABCDEFGHIJ: ANNA")},
        {q("ANNA~JOHN~PAUL"), q(",JOHN: ANNA")},
        {q("άννα"), q(",") + windowsToRegisterSet(q("ΆΝΝΑ"))},
        {q("ΣΟΦΙΑ"), q(",") + windowsToRegisterSet(q("ΣΟΦΙΑ"))},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(tableText(text), expected) << text.toStdString();
}

TEST_F(Tables, OpeningClosesTheOpenTableFirstAndChecksTheNewOne)
{
    QStringList openTables{q("TO:3"), q("TO:5")};
    registerScript = [this, openTables](const QString &command, FakeTransport &reg) mutable {
        commands << command;
        QString answer = replyTo(command);
        if (command == q("KX?TO"))
            answer = openTables.size() > 1 ? openTables.takeFirst() : openTables.front();
        reg.arrive(5, reply(answer));
    };
    replies[q("KXREP5TBL")] = q("TBL:5:1250");
    run({jobLine(q("TBO"), {{7, q("5")}, {11, q("ANNA~JOHN")}})});
    EXPECT_EQ(body(), (QStringList{q("KX?TO"), q("KXTO"), q("KXSTAT"), q("KX5TO,JOHN: ANNA"), q("KX?TO"),
                                   q("KXSTAT"), q("KXREP5TBL")}));
    EXPECT_EQ(exitLine(), q("exitcode = 0"));
    EXPECT_TRUE(maskedResult().contains(q("recStatus = 1;1250")));
    EXPECT_GE(clock.paused(), 2000 + 1500 + 1000);
}

TEST_F(Tables, OpeningFailsWhenTheRegisterDoesNotHaveTheTableOpen)
{
    const struct {
        const char *name;
        QString openTable;
        QString openReply;
    } cases[] = {
        {"another table open", q("TO:3"), q("00 OK")},
        {"no table open", q("TO:0"), q("00 OK")},
        {"refused", q("TO:5"), q("DE1138")},
    };
    for (const auto &c : cases) {
        replies[q("KX?TO")] = c.openTable;
        replies[q("KX5TO")] = c.openReply;
        run({jobLine(q("TBO"), {{7, q("5")}}), jobLine(q("TBE"))});
        EXPECT_EQ(exitLine(), q("exitcode = 1")) << c.name;
        EXPECT_EQ(commands.count(q("KX5TO")), 1) << c.name;
    }
}

TEST_F(Tables, TableNumbersThatAreNotNumbersStopTheJob)
{
    const struct {
        const char *name;
        QString line;
        bool resultLine;  // the wrong-table line of the result file
        bool plainBox;    // a plain message box instead of the fitted one
    } cases[] = {
        {"TBO", jobLine(q("TBO"), {{7, q("A")}}), false, true},
        {"TBC", jobLine(q("TBC"), {{6, q("x")}}), false, false},
        {"TBT source", tableLine("TBT", q("A"), q("6")), true, false},
        {"TBT target", tableLine("TBT", q("5"), q("6B")), true, false},
        {"TPT target", tableLine("TPT", q("5"), q("X")), false, false},
        {"TBS", tableLine("TBS", q("?")), false, false},
    };
    for (const auto &c : cases) {
        op.boxes.clear();
        QFile::remove(dir.filePath(q("Result")));
        run({c.line, jobLine(q("ver"))});
        EXPECT_TRUE(body().isEmpty()) << c.name << ": " << body().join(q(",")).toStdString();
        EXPECT_EQ(exitLine(), q("exitcode = 1")) << c.name;
        EXPECT_EQ(maskedResult().contains(q("Err = -255, (Wrong Table Number) DateTime end = <time>")), c.resultLine)
            << c.name;
        ASSERT_EQ(op.boxes.size(), 1u) << c.name;
        EXPECT_EQ(op.boxes[0].text, c.plainBox ? kWrongTable : fitMessageText(kWrongTable)) << c.name;
        EXPECT_EQ(op.boxes[0].style & MsgInformation, MsgInformation) << c.name;
    }
}

TEST_F(Tables, ClosingEndsATransferOrReadsTheReceiptNumber)
{
    const struct {
        const char *name;
        QStringList lines;
        QString openTable;
        QStringList expected;
        QString receipt;
    } cases[] = {
        {"open table", {jobLine(q("TBC"), {{6, q("5")}})}, q("TO:5"), {q("KX?TO"), q("KXTO")}, q("0")},
        {"after a partial transfer", {tableLine("TPT", q("5"), q("6")), jobLine(q("TBC"), {{6, q("5")}})}, q("TO:5"),
         {q("KXSTAT"), q("KXTRF"), q("KXFROM5TO6PAR"), q("KX?TO"), q("KXTRFNO"), q("KXTRFOK")}, q("0")},
        {"transfer ended: the next close is plain",
         {tableLine("TPT", q("5"), q("6")), jobLine(q("TBC"), {{6, q("5")}}), jobLine(q("TBC"), {{6, q("5")}})},
         q("TO:5"),
         {q("KXSTAT"), q("KXTRF"), q("KXFROM5TO6PAR"), q("KX?TO"), q("KXTRFNO"), q("KXTRFOK"), q("KX?TO"), q("KXTO")},
         q("0")},
        {"no table open", {jobLine(q("tbc"), {{6, q("5")}})}, q("TO:0"), {q("KX?TO"), q("KXCL")}, q("17")},
        {"no table open, no number", {jobLine(q("TBC"), {{6, q("5")}})}, q("TO:"), {q("KX?TO"), q("KXCL")}, q("-1")},
    };
    for (const auto &c : cases) {
        replies[q("KX?TO")] = c.openTable;
        replies[q("KXCL")] = c.receipt == q("17") ? q("00 OK:CL:00017") : q("00 OK");
        QFile::remove(dir.filePath(q("Result")));
        run(c.lines);
        EXPECT_EQ(body(), c.expected) << c.name;
        EXPECT_TRUE(maskedResult().contains(q("receipt = -1, -1, -1, ") + c.receipt))
            << c.name << ": " << maskedResult().join(q("\n")).toStdString();
    }
}

TEST_F(Tables, MovesStopTheJobWhenTheRegisterRefuses)
{
    const struct {
        const char *name;
        QString line;
        QString refused;
        QStringList expected;
        int exitCode;
    } cases[] = {
        {"whole table", tableLine("TBT", q("5"), q("6")), {}, {q("KXTRF"), q("KXFROM5TO6")}, 0},
        {"whole table, transfer refused", tableLine("tbt", q("5"), q("6")), q("KXTRF"), {q("KXTRF"), q("KXCL")}, 1},
        {"whole table, move refused", tableLine("TBT", q("5"), q("6")), q("KXFROM5TO6"),
         {q("KXTRF"), q("KXFROM5TO6"), q("KXCL")}, 1},
        {"part", tableLine("TPT", q("5"), q("6")), {}, {q("KXSTAT"), q("KXTRF"), q("KXFROM5TO6PAR")}, 0},
        {"part, transfer refused", tableLine("TPT", q("05"), q("6")), q("KXTRF"), {q("KXSTAT"), q("KXTRF"), q("KXCL")},
         1},
        {"part, move refused", tableLine("tpt", q("5"), q("6")), q("KXFROM5TO6PAR"),
         {q("KXSTAT"), q("KXTRF"), q("KXFROM5TO6PAR"), q("KXCL")}, 1},
        {"partial payment", tableLine("TBS", q("6")), {}, {q("KXSTAT"), q("KXPPAY"), q("KXFROM6")}, 0},
        {"partial payment refused", tableLine("TBS", q("6")), q("KXPPAY"), {q("KXSTAT"), q("KXPPAY"), q("KXCL")}, 1},
        {"partial payment, table refused", tableLine("tbs", q("6.7")), q("KXFROM6"),
         {q("KXSTAT"), q("KXPPAY"), q("KXFROM6"), q("KXCL")}, 1},
    };
    for (const auto &c : cases) {
        replies.clear();
        if (!c.refused.isEmpty())
            replies[c.refused] = q("DE1138");
        run({c.line, jobLine(q("ver"))});
        QStringList expected = c.expected;
        if (c.exitCode == 0)
            expected << q("KXVER");
        EXPECT_EQ(body(), expected) << c.name;
        EXPECT_EQ(maskedResult().last(), q("exitcode = %1").arg(c.exitCode)) << c.name;
    }
}

TEST_F(Tables, TheEndOfATableOperationWaitsForTheReceiptToClose)
{
    statuses = {q("2"), q("2"), q("0")};
    run({jobLine(q("TBE"))});
    // Three queries of the wait, then the job's own.
    EXPECT_EQ(commands.mid(2), (QStringList{q("KXSTAT"), q("KXSTAT"), q("KXSTAT"), q("KXSTAT"), q("KXRE")}));
    EXPECT_TRUE(maskedResult().contains(q("Ecr Err: Cleared OK, <time>")));
}

TEST_F(Tables, ListsAndReportsForTheHost)
{
    const struct {
        const char *name;
        QString line;
        QString reply;
        QString command;
        QString resultLine; // empty: none
    } cases[] = {
        {"open tables", jobLine(q("ltb")), q("TBL:5, 6,\n12"), q("KXREPTBL"), q("tblList   = 5,6,12")},
        {"no open tables", jobLine(q("ltb")), q("TBL:"), q("KXREPTBL"), q("tblList   = -1")},
        {"list refused", jobLine(q("ltb")), q("DE0006"), q("KXREPTBL"), q("tblList   = -1")},
        {"report of one table", jobLine(q("rpt"), {{6, q("7")}}), q("00 OK"), q("KX990007OTR"), q("rpt table = 0007")},
        {"report refused still named", jobLine(q("RPT"), {{6, q("12")}}), q("DE0006"), q("KX990012OTR"),
         q("rpt table = 0012")},
        {"report of all", jobLine(q("rpt")), q("00 OK"), q("KX990000OTR"), q("rpt table = ALL")},
        {"report of all refused", jobLine(q("rpt"), {{6, q("x")}}), q("DE0006"), q("KX990000OTR"), {}},
    };
    for (const auto &c : cases) {
        replies.clear();
        replies[c.command] = c.reply;
        QFile::remove(dir.filePath(q("Result")));
        run({c.line});
        EXPECT_EQ(body().value(0), c.command) << c.name;
        const QStringList result = maskedResult();
        const QStringList written = result.filter(QRegularExpression(q("^(tblList|rpt table)")));
        EXPECT_EQ(written, c.resultLine.isEmpty() ? QStringList{} : QStringList{c.resultLine})
            << c.name << ": " << result.join(q("\n")).toStdString();
    }
}

TEST_F(Tables, TheJobEndReportsWhatTheLastOpenedTableHolds)
{
    const struct {
        QString reply;
        QString line;
    } cases[] = {
        {q("TBL:5:1250"), q("recStatus = 1;1250")},
        {q("TBL:5:0"), q("recStatus = 0;0")},
        {q("TBL:5:\n0.00\n"), q("recStatus = 0;0.00")},
        {q("TBL:5"), q("recStatus = 1;-1")},
        {q("TBL:5:-3"), q("recStatus = 1;-1")},
        {q("DE0006"), q("recStatus = 1;-1")},
    };
    replies[q("KX?TO")] = q("TO:5");
    for (const auto &c : cases) {
        replies[q("KXREP5TBL")] = c.reply;
        QFile::remove(dir.filePath(q("Result")));
        run({jobLine(q("TBO"), {{7, q("5")}})});
        const QStringList result = maskedResult();
        EXPECT_EQ(result.value(result.size() - 3), c.line) << c.reply.toStdString();
    }
}

} // namespace
