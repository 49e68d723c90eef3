#include "control/job_check.h"
#include "control/register_folder.h"
#include "greek/cp1253.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace merovan;

namespace {

// The dry run in a register's folder set up with the example files; the
// job is handed in as the bytes a host wrote.
class JobCheckTest : public ::testing::Test {
protected:
    JobCheckTest()
    {
        QStringList written;
        QString whyNot;
        writeExampleFiles(dir.path(), dir.filePath(QStringLiteral("jobs")), QDate(2026, 12, 6), written, whyNot);
        QDir::setCurrent(dir.path());
    }
    ~JobCheckTest() override { QDir::setCurrent(home); }

    QString writeJob(const QByteArray &bytes)
    {
        QFile file(dir.filePath(QStringLiteral("job.txt")));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        return file.fileName();
    }

    QStringList folderListing() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QString home = QDir::currentPath();
    QTemporaryDir dir;
};

QByteArray greek(const char *utf8) { return toCp1253(QString::fromUtf8(utf8)); }

// A "PLU" line (item code 1001) with each field from its first column.
QString pluLine(const char *text, const char *quantity, const char *price, const char *rate)
{
    QString line(76, QLatin1Char(' '));
    const auto put = [&line](int column, const QString &value) { line.replace(column - 1, value.size(), value); };
    put(2, QStringLiteral("PLU"));
    put(6, QStringLiteral("1001"));
    put(20, QString::fromUtf8(text));
    put(48, QString::fromUtf8(quantity));
    put(57, QString::fromUtf8(price));
    put(69, QString::fromUtf8(rate));
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QStringLiteral("\r\n");
}

const QByteArray kItem = toCp1253(pluLine("ΚΑΦΕΣ ΕΛΛΗΝΙΚΟΣ", "2", "2.50", "24"));
const QByteArray kPayment = " to    1   5.00\r\n";

struct Expected {
    int line;
    int column;
    const char *says;
};

struct Case {
    const char *name;
    QByteArray job;
    std::vector<Expected> findings;
};

TEST_F(JobCheckTest, PointsOutWhatWillNotDoWhatTheHostMeantWithLineAndColumn)
{
    const Case cases[] = {
        {"a receipt in Windows-1253 with CR LF",
         "tag:  T-1\r\nresFile:  out.txt\r\n\r\n" + kItem + " dis  0.50\r\n mod  -10.00%  \r\n" + kPayment +
             greek(" com  ΕΥΧΑΡΙΣΤΟΥΜΕ\r\n") + " exit\r\n",
         {}},
        {"the same item in UTF-8",
         pluLine("ΚΑΦΕΣ ΕΛΛΗΝΙΚΟΣ", "2", "2.50", "24").toUtf8(),
         {{1, 20, "looks like UTF-8 (\"ΚΑΦΕΣ ΕΛΛΗΝΙΚΟΣ\")"}, {1, 48, "quantity (columns 48-54) \"£\" is not a number"}}},
        {"a UTF-8 byte order mark", "\xEF\xBB\xBF" + kPayment, {{1, 1, "UTF-8 byte order mark"}, {1, 2, "no word matches"}}},
        {"lines that end in LF alone", " exit\n" + kPayment, {{1, 6, "LF without CR"}}},
        {"a table word in mixed case", " Tbo 5\r\n", {{1, 2, "no word matches \"Tbo\": it is written \"TBO\" or \"tbo\""}}},
        {"a word in column 1", "PLU 1001\r\n", {{1, 2, "\"PLU\" stands in column 1"}}},
        {"free text", " hello\r\n", {{1, 2, "no word matches this line"}}},
        {"a quantity that is not a number", toCp1253(pluLine("ΚΑΦΕΣ", "2x", "2.50", "24")),
         {{1, 48, "quantity (columns 48-54) \"2x\" is not a number"}}},
        {"an amount without decimals", " to    1  10\r\n",
         {{1, 11, "amount (columns 11-19) \"10\" has no decimals: the register takes it as 10 hundredths"}}},
        {"a rate missing from vats.dat", toCp1253(pluLine("ΚΑΦΕΣ", "2", "2.50", "23")),
         {{1, 69, "VAT rate \"23\" is in no category of vats.dat"}}},
        {"a table that is not a number", " TBO  5a\r\n", {{1, 7, "table (columns 7-9) \"5a\" is not a whole number"}}},
        {"a payment line without a type", " to       5.00\r\n", {{1, 8, "payment type (columns 8-8) is blank"}}},
    };
    for (const Case &c : cases) {
        const JobCheck check = checkJob(writeJob(c.job));
        ASSERT_EQ(check.findings.size(), c.findings.size()) << c.name << "\n"
                                                             << check.report.join(QLatin1Char('\n')).toStdString();
        for (std::size_t i = 0; i < c.findings.size(); ++i) {
            const JobFinding &got = check.findings[i];
            EXPECT_EQ(got.line, c.findings[i].line) << c.name << ": " << got.text.toStdString();
            EXPECT_EQ(got.column, c.findings[i].column) << c.name << ": " << got.text.toStdString();
            EXPECT_TRUE(got.text.contains(QString::fromUtf8(c.findings[i].says))) << c.name << ": " << got.text.toStdString();
        }
        EXPECT_EQ(check.exitStatus(), c.findings.empty() ? 0 : 1) << c.name;
    }
}

TEST_F(JobCheckTest, ShowsEachLinesWordFieldsCategoryAndCommands)
{
    const JobCheck check = checkJob(writeJob(kItem + kPayment));
    const QString report = check.report.join(QLatin1Char('\n'));
    for (const char *expected : {"line 1: ", "    PLU: sell an item", "        quantity: \"2\"",
                                 "        VAT rate: \"24\" -> VAT category 1", "    sends KX2.000* ",
                                 "    sends KX250R1KA<8b>Ef", "    to: a payment", "        amount: \"5.00\"",
                                 "    sends KX500T1", "    result: exitcode = 0"})
        EXPECT_TRUE(report.contains(QString::fromUtf8(expected))) << expected << "\n" << report.toStdString();
    EXPECT_EQ(check.exitStatus(), 0);
}

TEST_F(JobCheckTest, TableLinesRunOnAsTheRegisterConfirmsTheTableOpened)
{
    const JobCheck check = checkJob(writeJob(" TBO  5   ANNA~JOHN\r\n" + kItem + " TBC  5\r\n"));
    const QString report = check.report.join(QLatin1Char('\n'));
    for (const char *expected : {"    sends KX5TO,JOHN: ANNA", "    sends KX250R1", "    sends KXTO",
                                 "    result: recStatus = 0;0", "    result: exitcode = 0"})
        EXPECT_TRUE(report.contains(QString::fromUtf8(expected))) << expected << "\n" << report.toStdString();
    EXPECT_EQ(check.exitStatus(), 0);
}

TEST_F(JobCheckTest, CommentLinesWithCommentsOffArePointedOut)
{
    ParamFileValues off = exampleSettings(dir.filePath(QStringLiteral("jobs")));
    off.comments = false;
    ASSERT_TRUE(writeParamFile(dir.filePath(QStringLiteral("param.ini")), off, QDate(2026, 12, 6)));
    const JobCheck check = checkJob(writeJob(" frt\r\n"));
    ASSERT_EQ(check.findings.size(), 1u);
    EXPECT_TRUE(check.findings[0].text.contains(QStringLiteral("read only with [comments] true")));
    EXPECT_FALSE(check.report.join(QLatin1Char('\n')).contains(QStringLiteral("sends KXCO")));
}

TEST_F(JobCheckTest, LeavesTheJobTheFolderAndTheResultFileAsTheyWere)
{
    QFile::remove(dir.filePath(QStringLiteral("payeft.dat")));
    const QString job = writeJob("resFile:  " + dir.filePath(QStringLiteral("out.txt")).toUtf8() + "\r\n" + kItem +
                                 " to    2   5.00\r\n");
    const QStringList before = folderListing();
    const JobCheck check = checkJob(job);
    EXPECT_EQ(folderListing(), before) << "no result file, journal, log or payeft.dat";
    EXPECT_EQ(QDir::currentPath(), dir.path());
    EXPECT_TRUE(check.report.join(QLatin1Char('\n')).contains(QStringLiteral("result: tag = Unknown")));
}

TEST_F(JobCheckTest, AJobThatCannotBeReadGivesStatusFour)
{
    const JobCheck check = checkJob(dir.filePath(QStringLiteral("missing.txt")));
    EXPECT_FALSE(check.readable);
    EXPECT_EQ(check.exitStatus(), 4);
}

} // namespace
