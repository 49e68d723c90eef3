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
        {"ANNA~JOHN", ",JOHN: ANNA"},
        {"   ", ""},
        {"  anna~john  ", ",JOHN: ANNA"},
        {"ANNA~", ",ANNA"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ~ABCDEFGHIJKLMN", ",ABCDEF: ABCDEFGHIJKLMNOPQRST"},
        {"ANNA~ABCDEFGHIJKLMN", ",ABCDEFGHIJ: ANNA"},
        {"άννα", "," + windowsToRegisterSet("ΆΝΝΑ")},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(tableText(text), expected) << text.toStdString();
}

TEST_F(Tables, TableLines)
{
    const QStringList fittedBox{fitMessageText(kWrongTable)};
    const QString tbc5 = jobLine("TBC", {{6, "5"}});
    const QStringList partial{"KXSTAT", "KXTRF", "KXFROM5TO6PAR"};
    const JobCase cases[] = {
        // Opening closes the open table first and checks the new one.
        {"open", {jobLine("TBO", {{7, "5"}, {11, "ANNA~JOHN"}})},
         {"KX?TO", "KXTO", "KXSTAT", "KX5TO,JOHN: ANNA", "KX?TO", "KXSTAT", "KXREP5TBL"}, {},
         {{"KX?TO", {"TO:3", "TO:5"}}, {"KXREP5TBL", {"TBL:5:1250"}}}, {}, 0, {},
         {"recStatus = 1;1250", "receipt = -1, -1, -1, 0"}},
        {"open: another table stays open", {jobLine("TBO", {{7, "5"}}), jobLine("TBE")},
         {"KX?TO", "KXTO", "KXSTAT", "KX5TO", "KX?TO", "KXSTAT", "KXREP5TBL"}, {}, {{"KX?TO", {"TO:3"}}}, {}, 1},
        {"open refused", {jobLine("TBO", {{7, "5"}}), jobLine("TBE")},
         {"KX?TO", "KXTO", "KXSTAT", "KX5TO", "KXCL", "KXSTAT", "KXREP5TBL"}, {errLine(1138, "KX5TO")},
         {{"KX?TO", {"TO:5"}}, {"KX5TO", {"DE1138"}}}, {}, 1},
        // Table numbers that are not numbers stop the job.
        {"TBO not a number", {jobLine("TBO", {{7, "A"}}), " MKZ"}, {}, {}, {}, {}, 1, QStringList{kWrongTable}},
        {"TBC not a number", {jobLine("TBC", {{6, "x"}}), " MKZ"}, {}, {}, {}, {}, 1, fittedBox},
        {"TBT source", {tableLine("TBT", "A", "6"), " MKZ"}, {}, {kWrongTableLine}, {}, {}, 1, fittedBox},
        {"TBT target", {tableLine("TBT", "5", "6B"), " MKZ"}, {}, {kWrongTableLine}, {}, {}, 1, fittedBox},
        {"TPT target", {tableLine("TPT", "5", "X"), " MKZ"}, {}, {}, {}, {}, 1, fittedBox},
        {"TBS", {tableLine("TBS", "?"), " MKZ"}, {}, {}, {}, {}, 1, fittedBox},
        // Closing ends a transfer, or reads the number of the receipt that
        // settled the table.
        {"close after a transfer, then plain", {tableLine("TPT", "5", "6"), tbc5, tbc5},
         partial + QStringList{"KX?TO", "KXTRFNO", "KXTRFOK", "KX?TO", "KXTO"}, {}, {{"KX?TO", {"TO:5"}}}},
        {"close with none open", {tbc5}, {"KX?TO", "KXCL"}, {}, {{"KX?TO", {"TO:0"}}, {"KXCL", {"00 OK:CL:00017"}}},
         {}, 0, {}, {"recStatus = 0;", "receipt = -1, -1, -1, 17"}},
        {"close with none open, no number", {jobLine("tbc", {{6, "5"}})}, {"KX?TO", "KXCL"}, {},
         {{"KX?TO", {"TO:"}}}, {}, 0, {}, {"recStatus = 0;", "receipt = -1, -1, -1, -1"}},
        {"whole table moved", {tableLine("TBT", "5", "6"), " ver"}, {"KXTRF", "KXFROM5TO6", "KXVER"}, {"f/w = 00 OK"}},
        // Lists and reports for the host.
        {"open tables", {" ltb"}, {"KXREPTBL"}, {"tblList   = 5,6,12"}, {{"KXREPTBL", {"TBL:5, 6,\n12"}}}},
        {"no open tables", {" ltb"}, {"KXREPTBL"}, {"tblList   = -1"}, {{"KXREPTBL", {"TBL:"}}}},
        {"list refused", {" ltb"}, {"KXREPTBL", "KXCL"}, {errLine(6, "KXREPTBL"), "tblList   = -1"},
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
    run({jobLine("TBO", {{7, "5"}})});
    EXPECT_GE(clock.paused(), 2000 + 1500 + 1000);
}

TEST_F(Tables, MovesStopTheJobWhenTheRegisterRefuses)
{
    const struct {
        const char *name;
        QString line;
        QString refused;
        QStringList sent; // up to the refused command
    } cases[] = {
        {"whole table, transfer", tableLine("tbt", "5", "6"), "KXTRF", {"KXTRF"}},
        {"whole table, move", tableLine("TBT", "5", "6"), "KXFROM5TO6", {"KXTRF", "KXFROM5TO6"}},
        {"part, transfer", tableLine("TPT", "05", "6"), "KXTRF", {"KXSTAT", "KXTRF"}},
        {"part, move", tableLine("tpt", "5", "6"), "KXFROM5TO6PAR", {"KXSTAT", "KXTRF", "KXFROM5TO6PAR"}},
        {"partial payment", tableLine("TBS", "6"), "KXPPAY", {"KXSTAT", "KXPPAY"}},
        {"partial payment, table", tableLine("tbs", "6.7"), "KXFROM6", {"KXSTAT", "KXPPAY", "KXFROM6"}},
    };
    for (const auto &c : cases)
        check({c.name, {c.line, " ver"}, c.sent + QStringList{"KXCL"}, {errLine(1138, c.refused)},
               {{c.refused, {"DE1138"}}}, {}, 1});
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
        run({jobLine("TBO", {{7, "5"}})});
        EXPECT_EQ(maskedResult().filter("recStatus"), QStringList{line}) << reply.toStdString();
    }
}

} // namespace
