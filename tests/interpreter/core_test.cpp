#include "scripted_register.h"

using namespace merovan;
using namespace merovan::test;

namespace {

class Core : public ScriptedRegister {};

TEST_F(Core, HeaderLinesNameTheResultFileAndTheTagAnywhereInTheJob)
{
    run({" free text", "tag:  ORDER-7", "resFile:  out.txt"});
    QFile out(dir.filePath("out.txt"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("tag = ORDER-7\r\nDateTime start = "));
    EXPECT_TRUE(maskedResult().isEmpty());

    // Two jobs append two blocks; an empty job still writes its whole block.
    run({});
    run({"tag:  two"});
    ASSERT_EQ(maskedResult().size(), 12);
    EXPECT_EQ(maskedResult().first(7), (QStringList{"tag = Unknown", "DateTime start = <time>", "DateTime end = <time>",
                                                    "recStatus = 0;", "receipt = -1, -1, -1, 0", "exitcode = 0",
                                                    "tag = two"}));
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
        {"RE: 12  :3:x", "12, 3, -1"}, {"RE:abc:1:2", "-1, -1, -1"}, {"DE0006", "-1, -1, -1"}};
    for (const auto &[reply, counters] : cases) {
        replies["KXRE"] = {reply};
        EXPECT_EQ(interpreter.receiptCounters(), counters) << reply.toStdString();
    }
}

// Control bytes are ordinary characters of their lines; a file that will
// not be run leaves a block that says why, where its header points.
TEST_F(Core, JobFilesWithControlBytesRunAndOnesThatCannotBeRunAreReported)
{
    QFile binary(dir.filePath("binary.job"));
    ASSERT_TRUE(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("tag:  BIN\r\n snd  A1\r\n\0\0\x01\x02\r\n", 27));
    binary.close();
    EXPECT_EQ(interpreter.runJob(binary.fileName(), defaultSettings()), JobOutcome::Ran);
    EXPECT_TRUE(commands.contains("KXA1"));
    EXPECT_EQ(maskedResult().last(), "exitcode = 0");

    QFile big(dir.filePath("big.job")); // sparse: larger than any receipt
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("tag:  BIG\r\nresFile:  big.res\r\n");
    big.resize(17 * 1024 * 1024);
    big.close();
    QDir().mkpath(dir.filePath("folder.job"));
    const struct {
        QString path, resultFile, block;
    } cases[] = {
        {big.fileName(), dir.filePath("big.res"), "tag = BIG|Err = -98, [job file too large: %1] DateTime = <time>|exitcode = 1"},
        {dir.filePath("folder.job"), dir.filePath("Result"),
         "tag = Unknown|Err = -98, [not a regular file: %1] DateTime = <time>|exitcode = 1"},
    };
    for (const auto &c : cases) {
        QFile::remove(dir.filePath("Result"));
        commands.clear();
        op.boxes.clear();
        EXPECT_EQ(interpreter.runJob(c.path, defaultSettings()), JobOutcome::Rejected);
        EXPECT_TRUE(commands.isEmpty());
        QFile result(c.resultFile);
        ASSERT_TRUE(result.open(QIODevice::ReadOnly)) << c.resultFile.toStdString();
        const QString block = QString::fromLatin1(result.readAll())
                                  .replace(QRegularExpression("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d"), "<time>")
                                  .split("\r\n", Qt::SkipEmptyParts)
                                  .join('|');
        EXPECT_EQ(block, c.block.arg(c.path));
        EXPECT_EQ(op.boxes.size(), 1u) << "the operator is told";
    }
}

class OtherCommands : public ScriptedRegister {};

// Only a refused key sequence tells the operator.
TEST_F(OtherCommands, PassThroughLinesAndTheirAnswers)
{
    const QStringList none;
    const JobCase cases[] = {
        {"version refused", {" ver"}, {"KXVER", "KXCL"}, {errLine(6, "KXVER")}, {{"KXVER", {"DE0006"}}}, {}, 0, none},
        {"simple invoice refused", {" SIN 42"}, {"KX42CK", "KXCL"}, {errLine(1038, "KX42CK")},
         {{"KX42CK", {"DE1038"}}}, {}, 0, none},
        // The command is hidden among the closing queries; its answer is not.
        {"raw command", {" snd  STAT"}, {}, {"sndReply = 0;STAT:1~OPEN~"}, {{"KXSTAT", {"STAT:1\nOPEN\n", "STAT:0"}}}},
        {"raw command kept as written", {" snd   x "}, {"KX x "}, {"sndReply = 0;00 OK"}},
        {"raw command refused", {" snd  FOO"}, {"KXFOO", "KXCL"}, {errLine(6, "KXFOO"), "sndReply = 6;6"},
         {{"KXFOO", {"DE0006"}}}, {}, 0, none},
        {"key sequence of its own group", {" PRG KY123"}, {"KY123"}},
        {"key sequence of the KX keys", {" prg  12pl "}, {"KX12PL"}},
        {"key sequence refused", {" PRG 99"}, {"KX99", "KXCL"}, {errLine(6, "KX99")}, {{"KX99", {"DE0006"}}}},
    };
    for (const JobCase &c : cases)
        check(c);
    EXPECT_EQ(op.boxes.size(), 1u) << "the refused key sequence";
}

} // namespace
