#include "interpreter_fixture.h"

using namespace merovan;
using namespace merovan::test;

namespace {

const QString kTime = QStringLiteral("<time>");

class Core : public InterpreterTest {
protected:
    Core()
    {
        answer = [](const QString &command) {
            if (command == QStringLiteral("KXRE"))
                return QStringLiteral("RE:00012:00003:00001");
            if (command == QStringLiteral("KXSTAT"))
                return QStringLiteral("STAT:0");
            return QStringLiteral("00 OK");
        };
        interpreter.zReport = [this] { ++zReports; };
    }
    int zReports = 0;
};

TEST_F(Core, EmptyJobStillWritesItsWholeBlock)
{
    run({});
    EXPECT_EQ(maskedResult(),
              (QStringList{QStringLiteral("tag = Unknown"), QStringLiteral("DateTime start = ") + kTime,
                           QStringLiteral("DateTime end = ") + kTime, QStringLiteral("recStatus = 0;"),
                           QStringLiteral("receipt = 00012, 00003, 00001, 0"), QStringLiteral("exitcode = 0")}));
    EXPECT_EQ(commands, (QStringList{QStringLiteral("KXCL"), QStringLiteral("KXCL"), QStringLiteral("KXSTAT"),
                                     QStringLiteral("KXRE")}));
    EXPECT_EQ(op.model.label(QStringLiteral("lblreceipt")), QStringLiteral(" 00003"));
    EXPECT_EQ(clock.paused(), 250 + 4 * 100) << "the closing pause and one pause per reply";
}

TEST_F(Core, HeaderLinesNameTheResultFileAndTagAnywhereInTheJob)
{
    run({QStringLiteral(" free text"), QStringLiteral("tag:  ORDER-7"), QStringLiteral("resFile:  out.txt")});
    QFile out(dir.filePath(QStringLiteral("out.txt")));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("tag = ORDER-7\r\nDateTime start = "));
    EXPECT_TRUE(maskedResult().isEmpty());
}

TEST_F(Core, ExitEndsTheJobButItsEndLinesAreWritten)
{
    run({QStringLiteral(" mkz"), QStringLiteral(" Exit"), QStringLiteral(" MKZ")});
    EXPECT_EQ(zReports, 1);
    EXPECT_EQ(maskedResult().last(), QStringLiteral("exitcode = 0"));
}

TEST_F(Core, KeywordCaseRulesAndTheCommentsSwitch)
{
    QStringList seen;
    for (const char *word : {"TBO", "snd", "com", "dis"})
        interpreter.setHandler(QString::fromLatin1(word), [&seen, word](Job &, const QString &) {
            seen << QString::fromLatin1(word);
            return LineEnd::Next;
        });
    run({QStringLiteral(" TBO 5"), QStringLiteral(" tbo 5"), QStringLiteral(" Tbo 5"), QStringLiteral(" SND STAT"),
         QStringLiteral(" snd STAT"), QStringLiteral(" com hello"), QStringLiteral(" DIS 1.00")});
    EXPECT_EQ(seen, (QStringList{QStringLiteral("TBO"), QStringLiteral("TBO"), QStringLiteral("snd"),
                                 QStringLiteral("com")}));

    seen.clear();
    ParamSettings noComments = defaultSettings();
    noComments.comments = QStringLiteral("fals");
    run({QStringLiteral(" com hello")}, noComments);
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(Core, TableErrorsStopTheJobWithExitCodeOne)
{
    interpreter.setHandler(QStringLiteral("TBT"), [](Job &, const QString &) { return LineEnd::WrongTable; });
    interpreter.setHandler(QStringLiteral("TBE"), [](Job &, const QString &) { return LineEnd::Stop; });
    run({QStringLiteral(" TBT A   6"), QStringLiteral(" MKZ")});
    const QStringList lines = maskedResult();
    EXPECT_EQ(lines[2], QStringLiteral("Err = -255, (Wrong Table Number) DateTime end = ") + kTime);
    EXPECT_EQ(lines.last(), QStringLiteral("exitcode = 1"));
    EXPECT_EQ(zReports, 0);
    ASSERT_FALSE(op.boxes.empty());
    EXPECT_EQ(op.boxes.back().text, fitMessageText(QStringLiteral("Λάθος Αριθμός Τραπεζιού")));

    QFile::remove(dir.filePath(QStringLiteral("Result")));
    run({QStringLiteral(" TBE"), QStringLiteral(" MKZ")});
    EXPECT_EQ(maskedResult().last(), QStringLiteral("exitcode = 1"));
    EXPECT_EQ(zReports, 0);
}

TEST_F(Core, TwoJobsAppendTwoBlocks)
{
    run({QStringLiteral("tag:  one")});
    run({QStringLiteral("tag:  two")});
    const QStringList lines = maskedResult();
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("tag = one"));
    EXPECT_EQ(lines[6], QStringLiteral("tag = two"));
}

TEST_F(Core, ReceiptCountersReadTheRegistersFields)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("RE:00012:00003:00001"), QStringLiteral("00012, 00003, 00001")},
        {QStringLiteral("RE: 12  :3:x"), QStringLiteral("12, 3, -1")},
        {QStringLiteral("RE:abc:1:2"), QStringLiteral("-1, -1, -1")},
        {QStringLiteral("DE0006"), QStringLiteral("-1, -1, -1")},
    };
    for (const auto &[reply, counters] : cases) {
        answer = [reply](const QString &) { return reply; };
        EXPECT_EQ(interpreter.receiptCounters(), counters) << reply.toStdString();
    }
}

TEST_F(Core, AFileThatIsNotTextIsReportedAndNothingIsSent)
{
    QFile job(dir.filePath(QStringLiteral("binary.job")));
    job.open(QIODevice::WriteOnly);
    job.write(QByteArray(" MKZ\r\n\0\0\x01\x02", 10));
    job.close();
    interpreter.runJob(job.fileName(), defaultSettings());
    EXPECT_TRUE(commands.isEmpty());
    EXPECT_EQ(zReports, 0);
    EXPECT_EQ(maskedResult(),
              QStringList{QStringLiteral("Err = -98, [job file is not text: %1] DateTime = <time>").arg(job.fileName())});
}

} // namespace
