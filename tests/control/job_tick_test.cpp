#include "bridge_fixture.h"
#include "control/file_ready.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

using namespace merovan;
using namespace merovan::test;

namespace {

// A resident bridge, already printing, that takes the job files named by
// [file] from the folder jobs/. Each job is written with a tag that names it,
// so the result file tells which ran; "name=" is written empty.
class JobTick : public BridgeTest {
protected:
    void startPrinting(const char *file, const char *multi, const char *jobs)
    {
        QDir().mkpath(QStringLiteral("jobs"));
        const QString ini = QStringLiteral("[port] 127.0.0.2\r\n[baud] 5012\r\n[file] %1\r\n[multi type] %2\r\n"
                                           "[location] %3/\r\n");
        startWith(ini.arg(QLatin1String(file), QLatin1String(multi), dir.filePath(QStringLiteral("jobs"))).toUtf8(), 1);
        bridge.trigger(WindowControl::StartButton);
        for (const QString &name : QString::fromLatin1(jobs).split(u' ', Qt::SkipEmptyParts)) {
            const QByteArray tag = name.endsWith(QLatin1Char('=')) ? QByteArray() : "tag:  " + name.toUtf8() + "\r\n";
            ASSERT_TRUE(writeSettledJob(QStringLiteral("jobs/") + QString(name).remove(QLatin1Char('=')), tag));
        }
    }

    // The tags of the jobs that ran, in order.
    QString tags() const
    {
        return resultLines().filter(QStringLiteral("tag = ")).join(u' ').remove(QStringLiteral("tag = "));
    }
};

struct TickCase {
    const char *what, *file, *multi;
    int ticks;
    const char *jobs, *ran, *kept;
    std::optional<int> ended;
};

class JobTickCases : public JobTick, public ::testing::WithParamInterface<TickCase> {};

TEST_P(JobTickCases, RunsAndRemovesTheRightJobs)
{
    const TickCase &c = GetParam();
    startPrinting(c.file, c.multi, c.jobs);
    for (int i = 0; i < c.ticks; ++i)
        bridge.jobTick();
    EXPECT_EQ(tags(), QLatin1String(c.ran));
    EXPECT_EQ(QDir(QStringLiteral("jobs")).entryList(QDir::Files, QDir::Name).join(u' '), QLatin1String(c.kept));
    EXPECT_EQ(ended, c.ended);
    EXPECT_EQ(op.fatals.isEmpty(), c.ended != 4);
}

// The jobs written, the tags of those that ran and the files left, by spaces.
const TickCase kTicks[] = {
    {"NumberedInOrderSkippingEmpty", "print", "true", 3, "print.7 print.3 print.1=", "print.3 print.7", "print.1", {}},
    {"ProgramJobIsKept", "x.prg", "true", 1, "x.prg.1", "x.prg.1", "x.prg.1", {}},
    {"ProgramRuleIsCaseSensitive", "X.PRG", "true", 1, "X.PRG.1", "X.PRG.1", "", {}},
    {"Wildcard", "*.txt", "true", 2, "order.txt order.dat", "order.txt", "order.dat", {}},
    {"UnknownMode", "print", "maybe", 1, "print.1", "", "print.1", {}},
    {"SingleJob", "one.txt", "false", 1, "one.txt", "one.txt", "", 0},
    {"SingleProgramJobAnyCase", "a.PRG.1", "false", 1, "a.PRG.1", "a.PRG.1", "a.PRG.1", 0},
    {"SingleJobMissing", "missing.txt", "false", 1, "", "", "", 4},
};
INSTANTIATE_TEST_SUITE_P(Bridge, JobTickCases, ::testing::ValuesIn(kTicks),
                         [](const auto &info) { return std::string(info.param.what); });

TEST_F(JobTick, LeavesAJobThatAnotherProgramStillWrites)
{
    startPrinting("print", "true", "print.1 print.2");
    QProcess writer;
    writer.setWorkingDirectory(dir.filePath(QStringLiteral("jobs")));
    writer.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QStringLiteral("exec 3>>print.1; echo held; exec sleep 30")});
    ASSERT_TRUE(writer.waitForReadyRead(5000));

    EXPECT_FALSE(jobFileReady(QStringLiteral("jobs/print.1")));
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("print.2"));
    writer.kill();
    writer.waitForFinished();
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("print.2 print.1"));
}

// A job is taken on the folder's notice, not at the next tick: the first
// tick is a second away, and both jobs below are taken well before it.
TEST_F(JobTick, AJobIsTakenWhenItIsRenamedInOrClosedNotWhileItIsWritten)
{
    startPrinting("print", "true", "");
    const auto processEventsWhile = [](const std::function<bool()> &condition, const QDeadlineTimer &until) {
        while (condition() && !until.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    // Another program writes print.2 in place, a piece at a time.
    QProcess writer;
    writer.setWorkingDirectory(dir.filePath(QStringLiteral("jobs")));
    writer.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QStringLiteral("exec 3>>print.2; printf 'tag:  print.2\\r\\n' >&3; echo held; read _")});
    ASSERT_TRUE(writer.waitForReadyRead(5000));

    bridge.trigger(WindowControl::StopButton);
    bridge.trigger(WindowControl::StartButton); // the fallback tick is a whole second away from here
    const QDeadlineTimer beforeTheFirstTick(900);
    QFile job(QStringLiteral("jobs/print.tmp"));
    ASSERT_TRUE(job.open(QIODevice::WriteOnly) && job.write("tag:  print.1\r\n") > 0);
    job.close();
    ASSERT_TRUE(QFile::rename(QStringLiteral("jobs/print.tmp"), QStringLiteral("jobs/print.1")));
    processEventsWhile([] { return QFile::exists(QStringLiteral("jobs/print.1")); }, beforeTheFirstTick);
    EXPECT_EQ(tags(), QStringLiteral("print.1")) << "renamed in: taken at once; print.2 is still being written";

    writer.write("\n"); // the writer closes print.2 and ends
    ASSERT_TRUE(writer.waitForFinished(5000));
    processEventsWhile([] { return QFile::exists(QStringLiteral("jobs/print.2")); }, beforeTheFirstTick);
    EXPECT_EQ(tags(), QStringLiteral("print.1 print.2")) << "closed after writing: taken at once";
    EXPECT_FALSE(beforeTheFirstTick.hasExpired());
}

TEST_F(JobTick, NoTickStartsWhileAJobRuns)
{
    startPrinting("print", "true", "print.1 print.2");
    // A tick that reaches the bridge in the middle of a job (from another
    // thread's timer, say) must not start another.
    int nested = 0;
    registerScript = [&, script = registerScript](const QString &command, FakeTransport &reg) {
        if (bridge.jobRunning() && nested++ == 0)
            bridge.jobTick();
        script(command, reg);
    };
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("print.1"));
    EXPECT_GT(nested, 0);
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Αναμονη"));
    EXPECT_EQ(window().status(), QStringLiteral("Αναμονη Για Στοιχεια...."));
}

} // namespace

namespace {

TEST_F(JobTick, AJobThatCannotBeRunIsSetAsideAndTheNextRuns)
{
    startPrinting("print", "true", "print.2");
    QDir().mkpath(QStringLiteral("jobs/print.1")); // not a regular file
    bridge.jobTick();
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("Unknown print.2"));
    EXPECT_EQ(QDir(QStringLiteral("jobs")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("print.1.rejected")});
    const QStringList lines = resultLines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Err = -98, [not a regular file: ")));
    EXPECT_EQ(lines[2], QStringLiteral("exitcode = 1"));
    EXPECT_EQ(op.boxes.size(), 1u) << "the operator is told";
}

// A host that writes its job in place, piece by piece, closing it between
// pieces: the job is taken once it has stayed unchanged for a moment.
TEST_F(JobTick, AJobWrittenInPlaceIsTakenOnlyOnceItHasSettled)
{
    startPrinting("print", "true", "");
    QFile job(QStringLiteral("jobs/print.1"));
    ASSERT_TRUE(job.open(QIODevice::WriteOnly));
    job.write("tag:  print.1\r\n");
    job.close(); // just now: it may have more to come
    bridge.jobTick();
    EXPECT_EQ(tags(), QString());
    ASSERT_TRUE(writeSettledJob(QStringLiteral("jobs/print.1"), "tag:  print.1\r\n"));
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("print.1"));
}

TEST_F(JobTick, AMissingFolderIsShownAndItsJobsAreTakenWhenItIsBack)
{
    startPrinting("print", "true", "");
    const QString folder = QDir(dir.filePath(QStringLiteral("jobs"))).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    bridge.jobTick();
    EXPECT_EQ(window().status(), QStringLiteral("Ο φάκελος εργασιών δεν βρέθηκε: ") + folder);

    QDir().mkpath(folder);
    ASSERT_TRUE(writeSettledJob(QStringLiteral("jobs/print.1"), "tag:  print.1\r\n"));
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringLiteral("print.1"));
    EXPECT_EQ(window().status(), QStringLiteral("Αναμονη Για Στοιχεια...."));
}

} // namespace
