#include "greek/register_text.h"
#include "interpreter/table_text.h"
#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

const QString kWrongTable = "Λάθος Αριθμός Τραπεζιού";
const QString kWrongTableLine = "Err = -255, (Wrong Table Number) DateTime end = <time>";

// A table line with its first number at 7-9 and its second at 11-13.
QString tableLine(const QString &keyword, const QString &first, const QString &second = {})
{
    return jobLine(keyword, {{7, first}, {11, second}});
}

class Tables : public ScriptedRegister {};

TEST_F(Tables, TableTextPutsTheSecondNameFirst)
{
    const std::pair<QString, QString> cases[] = {
        {"   ", ""}, {"  anna~john  ", ",JOHN: ANNA"}, {"ANNA~", ",ANNA"}, {"άννα", "," + windowsToRegisterSet("ΆΝΝΑ")},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ~ABCDEFGHIJKLMN", ",ABCDEF: ABCDEFGHIJKLMNOPQRST"},
        {"ANNA~ABCDEFGHIJKLMN", ",ABCDEFGHIJ: ANNA"},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(tableText(text), expected) << text.toStdString();
}

TEST_F(Tables, TableLines)
{
    const QStringList fittedBox{fitMessageText(kWrongTable)};
    const QString tbo5 = tableLine("TBO", "5"), tbe = jobLine("TBE"), mkz = " MKZ", ltb = " ltb";
    const QStringList opening{"KX?TO", "KXTO", "KXSTAT", "KX5TO"};
    // A move the register refuses stops the job at the command it refused.
    const auto refused = [](const char *name, const QString &line, const QStringList &sent) {
        return JobCase{name, {line, " ver"}, sent + QStringList{"KXCL"}, {errLine(1138, sent.last())},
                       {{sent.last(), {"DE1138"}}}, {}, 1};
    };
    const JobCase cases[] = {
        // Opening closes the open table first and checks the new one.
        {"open", {tbo5}, opening + QStringList{"KX?TO", "KXSTAT", "KXREP5TBL"}, {}, {{"KX?TO", {"TO:3", "TO:5"}}}},
        {"open: another table stays open", {tbo5, tbe}, opening + QStringList{"KX?TO", "KXSTAT", "KXREP5TBL"}, {},
         {{"KX?TO", {"TO:3"}}}, {}, 1},
        {"open refused", {tbo5, tbe}, opening + QStringList{"KXCL", "KXSTAT", "KXREP5TBL"}, {errLine(1138, "KX5TO")},
         {{"KX?TO", {"TO:5"}}, {"KX5TO", {"DE1138"}}}, {}, 1},
        // Table numbers that are not numbers stop the job.
        {"TBO not a number", {tableLine("TBO", "A"), mkz}, {}, {}, {}, {}, 1, QStringList{kWrongTable}},
        {"TBC not a number", {jobLine("TBC", {{6, "x"}}), mkz}, {}, {}, {}, {}, 1, fittedBox},
        {"TBT source", {tableLine("TBT", "A", "6"), mkz}, {}, {kWrongTableLine}, {}, {}, 1, fittedBox},
        {"TPT target", {tableLine("TPT", "5", "X"), mkz}, {}, {}, {}, {}, 1, fittedBox},
        {"TBS", {tableLine("TBS", "?"), mkz}, {}, {}, {}, {}, 1, fittedBox},
        {"whole table moved", {tableLine("TBT", "5", "6"), " ver"}, {"KXTRF", "KXFROM5TO6", "KXVER"}, {"f/w = 00 OK"}},
        refused("whole table, transfer refused", tableLine("tbt", "5", "6"), {"KXTRF"}),
        refused("whole table, move refused", tableLine("TBT", "5", "6"), {"KXTRF", "KXFROM5TO6"}),
        refused("part, transfer refused", tableLine("TPT", "05", "6"), {"KXSTAT", "KXTRF"}),
        refused("part, move refused", tableLine("tpt", "5", "6"), {"KXSTAT", "KXTRF", "KXFROM5TO6PAR"}),
        refused("partial payment refused", tableLine("TBS", "6"), {"KXSTAT", "KXPPAY"}),
        refused("partial payment of the table refused", tableLine("tbs", "6.7"), {"KXSTAT", "KXPPAY", "KXFROM6"}),
        // Lists and reports for the host.
        {"open tables", {ltb}, {"KXREPTBL"}, {"tblList   = 5,6,12"}, {{"KXREPTBL", {"TBL:5, 6,\n12"}}}},
        {"list refused", {ltb}, {"KXREPTBL", "KXCL"}, {errLine(6, "KXREPTBL"), "tblList   = -1"},
         {{"KXREPTBL", {"DE0006"}}}},
        {"report refused, still named", {jobLine("RPT", {{6, "12"}})}, {"KX990012OTR", "KXCL"},
         {errLine(6, "KX990012OTR"), "rpt table = 0012"}, {{"KX990012OTR", {"DE0006"}}}},
        {"report of all refused", {jobLine("rpt", {{6, "x"}})}, {"KX990000OTR", "KXCL"}, {errLine(6, "KX990000OTR")},
         {{"KX990000OTR", {"DE0006"}}}},
    };
    for (const JobCase &c : cases)
        check(c);
}

TEST_F(Tables, OpeningGivesTheRegisterTimeBetweenTableCommands)
{
    replies["KX?TO"] = {"TO:3", "TO:5"};
    run({tableLine("TBO", "5")});
    EXPECT_GE(clock.paused(), 2000 + 1500 + 1000);
}

TEST_F(Tables, TheJobEndReportsWhatTheLastOpenedTableHolds)
{
    const std::pair<QString, QString> cases[] = {
        {"TBL:5:0", "recStatus = 0;0"}, {"TBL:5:\n0.00\n", "recStatus = 0;0.00"}, {"TBL:5", "recStatus = 1;-1"},
        {"TBL:5:-3", "recStatus = 1;-1"}, {"DE0006", "recStatus = 1;-1"},
    };
    replies["KX?TO"] = {"TO:5"};
    for (const auto &[reply, line] : cases) {
        replies["KXREP5TBL"] = {reply};
        QFile::remove(dir.filePath("Result"));
        run({tableLine("TBO", "5")});
        EXPECT_EQ(maskedResult().filter("recStatus"), QStringList{line}) << reply.toStdString();
    }
    // With no table open, closing reads the number of the receipt that
    // settled the table, when "KXCL" names one.
    replies["KX?TO"] = {"TO:"};
    run({jobLine("tbc", {{6, "5"}})});
    EXPECT_EQ(maskedResult().filter("receipt").last(), "receipt = -1, -1, -1, -1");
}

} // namespace
