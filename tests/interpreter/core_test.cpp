#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

class Core : public ScriptedRegister {};

TEST_F(Core, EmptyJobStillWritesItsWholeBlock)
{
    replies["KXRE"] = {"RE:00012:00003:00001"};
    run({});
    EXPECT_EQ(maskedResult(), (QStringList{"tag = Unknown", "DateTime start = <time>", "DateTime end = <time>",
                                           "recStatus = 0;", "receipt = 00012, 00003, 00001, 0", "exitcode = 0"}));
    EXPECT_EQ(commands, (QStringList{"KXCL", "KXCL", "KXSTAT", "KXRE"}));
}

TEST_F(Core, HeaderLinesNameTheResultFileAndTheTagAnywhereInTheJob)
{
    run({" free text", "tag:  ORDER-7", "resFile:  out.txt"});
    QFile out(dir.filePath("out.txt"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("tag = ORDER-7\r\nDateTime start = "));
    EXPECT_TRUE(maskedResult().isEmpty());

    // Two jobs append two blocks.
    run({"tag:  one"});
    run({"tag:  two"});
    ASSERT_EQ(maskedResult().size(), 12);
    EXPECT_EQ(maskedResult()[6], "tag = two");
}

TEST_F(Core, KeywordCaseRulesAndExit)
{
    const JobCase cases[] = {
        {"exit ends the job", {" mkz", " Exit", " MKZ"}, {"<Z report>"}},
        {"lower case only", {" Dis  1.50", " Mod  5%", " SND  STAT", " COM  x", " TO    1       5.00"}, {}},
        {"upper or lower, not mixed", {" Prg KY1", " Tbc 5", " Tbe", " prg KY2", " PRG KY3"}, {"KY2", "KY3"}},
        {"any case", {" Sin 7", " vEr"}, {"KX7CK", "KXVER"}, {"Simple Inv = 7", "f/w = 00 OK"}},
    };
    for (const JobCase &c : cases)
        check(c);
}

TEST_F(Core, ReceiptCountersReadTheRegistersFields)
{
    const std::pair<QString, QString> cases[] = {
        {"RE:00012:00003:00001", "00012, 00003, 00001"},
        {"RE: 12  :3:x", "12, 3, -1"},
        {"RE:abc:1:2", "-1, -1, -1"},
        {"DE0006", "-1, -1, -1"},
    };
    for (const auto &[reply, counters] : cases) {
        replies["KXRE"] = {reply};
        EXPECT_EQ(interpreter.receiptCounters(), counters) << reply.toStdString();
    }
}

TEST_F(Core, AFileThatIsNotTextIsReportedAndNothingIsSent)
{
    QFile job(dir.filePath("binary.job"));
    job.open(QIODevice::WriteOnly);
    job.write(QByteArray(" MKZ\r\n\0\0\x01\x02", 10));
    job.close();
    interpreter.runJob(job.fileName(), defaultSettings());
    EXPECT_TRUE(commands.isEmpty());
    EXPECT_EQ(maskedResult(), QStringList{QString("Err = -98, [job file is not text: %1] DateTime = <time>")
                                              .arg(job.fileName())});
}

} // namespace
