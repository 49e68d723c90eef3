#include "bridge_fixture.h"
#include "control/file_ready.h"

#include <QProcess>

using namespace merovan;
using namespace merovan::test;

namespace {

// A resident bridge, already printing, that takes the job files named by
// [file] from the folder jobs/.
class JobTick : public BridgeTest {
protected:
    void startPrinting(const QString &name, const QString &multi = QStringLiteral("true"))
    {
        QDir().mkpath(QStringLiteral("jobs"));
        const QString ini = QStringLiteral("[port] 127.0.0.2\r\n[baud] 5012\r\n[file] %1\r\n[multi type] %2\r\n"
                                           "[location] %3/\r\n");
        startWith(ini.arg(name, multi, dir.filePath(QStringLiteral("jobs"))).toUtf8(), 1);
        bridge.trigger(QStringLiteral("Command1"));
    }

    // A job whose tag names it, so the result file tells which ran; a null
    // body writes that tag.
    void writeJob(const QString &name, const QByteArray &body = {})
    {
        QFile job(QStringLiteral("jobs/") + name);
        ASSERT_TRUE(job.open(QIODevice::WriteOnly));
        job.write(body.isNull() ? "tag:  " + name.toUtf8() + "\r\n" : body);
    }

    // The tags of the jobs that ran, in order.
    QStringList tags() const
    {
        return resultLines().filter(QStringLiteral("tag = ")).replaceInStrings(QStringLiteral("tag = "), QString());
    }
};

// Jobs are written with their tag; "name=" writes an empty file.
struct TickCase {
    const char *what, *file, *multi;
    QStringList jobs;
    int ticks;
    QStringList ran, kept;
    std::optional<int> ended;
};

class JobTickCases : public JobTick, public ::testing::WithParamInterface<TickCase> {};

TEST_P(JobTickCases, RunsAndRemovesTheRightJobs)
{
    const TickCase &c = GetParam();
    startPrinting(QString::fromLatin1(c.file), QString::fromLatin1(c.multi));
    for (const QString &job : c.jobs)
        job.endsWith(QLatin1Char('=')) ? writeJob(job.chopped(1), "") : writeJob(job);
    for (int i = 0; i < c.ticks; ++i)
        bridge.jobTick();
    EXPECT_EQ(tags(), c.ran);
    EXPECT_EQ(QDir(QStringLiteral("jobs")).entryList(QDir::Files, QDir::Name), c.kept);
    EXPECT_EQ(ended, c.ended);
    EXPECT_EQ(op.fatals.isEmpty(), c.ended != 4);
}

INSTANTIATE_TEST_SUITE_P(
    Bridge, JobTickCases,
    ::testing::Values(
        TickCase{"NumberedInOrderSkippingEmpty", "print", "true", {"print.7", "print.3", "print.1="}, 3,
                 {"print.3", "print.7"}, {"print.1"}, {}},
        TickCase{"ProgramJobIsKept", "x.prg", "true", {"x.prg.1"}, 1, {"x.prg.1"}, {"x.prg.1"}, {}},
        TickCase{"ProgramRuleIsCaseSensitive", "X.PRG", "true", {"X.PRG.1"}, 1, {"X.PRG.1"}, {}, {}},
        TickCase{"Wildcard", "*.txt", "true", {"order.txt", "order.dat"}, 2, {"order.txt"}, {"order.dat"}, {}},
        TickCase{"UnknownMode", "print", "maybe", {"print.1"}, 1, {}, {"print.1"}, {}},
        TickCase{"SingleJob", "one.txt", "false", {"one.txt"}, 1, {"one.txt"}, {}, 0},
        TickCase{"SingleProgramJobAnyCase", "a.PRG.1", "false", {"a.PRG.1"}, 1, {"a.PRG.1"}, {"a.PRG.1"}, 0},
        TickCase{"SingleJobMissing", "missing.txt", "false", {}, 1, {}, {}, 4}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(JobTick, LeavesAJobThatAnotherProgramStillWrites)
{
    startPrinting(QStringLiteral("print"));
    writeJob(QStringLiteral("print.1"));
    writeJob(QStringLiteral("print.2"));
    QProcess writer;
    writer.setWorkingDirectory(dir.filePath(QStringLiteral("jobs")));
    writer.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QStringLiteral("exec 3>>print.1; echo held; exec sleep 30")});
    ASSERT_TRUE(writer.waitForReadyRead(5000));

    EXPECT_FALSE(FileReady(QStringLiteral("jobs/print.1")));
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringList{QStringLiteral("print.2")});
    writer.kill();
    writer.waitForFinished();
    bridge.jobTick();
    EXPECT_EQ(tags(), (QStringList{QStringLiteral("print.2"), QStringLiteral("print.1")}));
}

TEST_F(JobTick, NoTickStartsWhileAJobRuns)
{
    startPrinting(QStringLiteral("print"));
    writeJob(QStringLiteral("print.1"));
    writeJob(QStringLiteral("print.2"));
    // The job lets events run; a tick delivered then must not start another.
    int nested = 0;
    op.onEvents = [&] {
        if (bridge.jobRunning() && nested++ == 0)
            bridge.jobTick();
    };
    bridge.jobTick();
    EXPECT_EQ(tags(), QStringList{QStringLiteral("print.1")});
    EXPECT_GT(nested, 0);
    EXPECT_EQ(window().caption(), QStringLiteral("Merovan- Αναμονη"));
    EXPECT_EQ(window().status(), QStringLiteral("Αναμονη Για Στοιχεια...."));
}

} // namespace
