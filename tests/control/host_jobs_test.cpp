// Jobs handed in by a host through the API: taken between folder jobs,
// recorded in the job history with the block the host reads, never run
// twice for one key, and reported interrupted after a crash.
#include "bridge_fixture.h"
#include "history/job_history.h"
#include "interpreter/job_journal.h"
#include "jobs/api_job_intake.h"
#include "jobs/result_block.h"

using namespace merovan;
using namespace merovan::test;

namespace {

class HostJobs : public BridgeTest {
protected:
    HostJobs()
    {
        QDir().mkpath(QStringLiteral("jobs"));
        history.open();
        bridge.setJobHistory(&history);
    }
    QString jobs() const { return dir.filePath(QStringLiteral("jobs")); }
    void startPrinting()
    {
        startWith(QStringLiteral("[port] 127.0.0.2\r\n[baud] 5012\r\n[file] print\r\n[multi type] true\r\n"
                                 "[location] %1/\r\n")
                      .arg(jobs())
                      .toUtf8(),
                  1);
        bridge.trigger(WindowControl::StartButton);
    }
    SubmitAnswer submit(const char *key, const QByteArray &text, JobKind kind = JobKind::Job)
    {
        return intake.submit({QString::fromLatin1(key), kind, text});
    }
    QStringList jobCommands() const { return commands.filter(QStringLiteral("KXA")); }
    // Source, tag and state of every job in the history, oldest first.
    QStringList recordedJobs()
    {
        QStringList jobs;
        const QList<JobRecord> records = history.list(100, 0);
        for (auto record = records.crbegin(); record != records.crend(); ++record)
            jobs << sourceName(record->source) + QLatin1Char(':') + record->tag + QLatin1Char(':') +
                        stateName(record->state);
        return jobs;
    }
    QStringList hostResultLines() const
    {
        QFile file(QStringLiteral("Result"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"))
                                              : QStringList();
    }

    JobHistory history{QStringLiteral("merovan.db")};
    ApiJobIntake intake{&history, bridge.queue(), clock};
};

TEST_F(HostJobs, FolderAndHostJobsTakeTurnsAndEachBlockGoesWhereItsHostReadsIt)
{
    ASSERT_EQ(submit("k1", passThroughJob("API1", "A3")).verdict, SubmitVerdict::Queued);
    ASSERT_EQ(submit("k2", passThroughJob("API2", "A4")).verdict, SubmitVerdict::Queued);
    ASSERT_TRUE(writeSettledJob(jobs() + "/print.1", passThroughJob("DIR1", "A1")));
    ASSERT_TRUE(writeSettledJob(jobs() + "/print.2", passThroughJob("DIR2", "A2")));
    EXPECT_TRUE(jobCommands().isEmpty()) << "nothing runs before Start";
    startPrinting();
    for (int tick = 0; tick < 6; ++tick)
        bridge.jobTick();

    EXPECT_EQ(jobCommands(), (QStringList{"KXA1", "KXA3", "KXA2", "KXA4"}));
    // API jobs have their ids from the moment they were handed in.
    EXPECT_EQ(recordedJobs(),
              (QStringList{"api:API1:done", "api:API2:done", "folder:DIR1:done", "folder:DIR2:done"}));
    // The host's result file holds the folder's blocks only; an API job's
    // block is in the history, line for line as a folder job's would be.
    EXPECT_EQ(hostResultLines().filter(QStringLiteral("tag = ")), (QStringList{"tag = DIR1", "tag = DIR2"}));
    const JobRecord api = *history.findByKey(QStringLiteral("k1"));
    EXPECT_EQ(api.state, JobState::Done);
    ASSERT_GE(api.result.size(), 4);
    EXPECT_EQ(api.result.first(), QStringLiteral("tag = API1"));
    EXPECT_TRUE(api.result[1].startsWith(QStringLiteral("DateTime start = ")));
    EXPECT_EQ(api.result.last(), QStringLiteral("exitcode = 0"));
    EXPECT_EQ(api.exitCode, 0);
    EXPECT_TRUE(api.startedAt.isValid() && api.endedAt.isValid());
    const JobRecord folderJob = history.list(100, 0)[1];
    EXPECT_EQ(folderJob.result.first(), QStringLiteral("tag = DIR1"));
    EXPECT_FALSE(folderJob.fingerprint.isEmpty());
    // Nothing of the API jobs is left in their spool.
    EXPECT_TRUE(QDir(ApiJobIntake::spoolFolder()).entryList(QDir::Files).isEmpty());
}

TEST_F(HostJobs, OneKeyRunsOneJobWhateverHappensMeanwhile)
{
    startPrinting();
    const SubmitAnswer first = submit("sale-7", passThroughJob("SALE7", "A7"));
    ASSERT_EQ(first.verdict, SubmitVerdict::Queued);
    bridge.jobTick();
    ASSERT_EQ(jobCommands(), QStringList{"KXA7"});

    const struct {
        const char *what;
        QByteArray text;
        JobKind kind;
        SubmitVerdict verdict;
    } cases[] = {
        {"the same key and text", passThroughJob("SALE7", "A7"), JobKind::Job, SubmitVerdict::SameJob},
        {"the same key, another text", passThroughJob("SALE7", "A8"), JobKind::Job, SubmitVerdict::KeyUsedOtherwise},
        {"the same key for a report", {}, JobKind::XReport, SubmitVerdict::KeyUsedOtherwise},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const SubmitAnswer again = submit("sale-7", c.text, c.kind);
        EXPECT_EQ(again.verdict, c.verdict);
        ASSERT_TRUE(again.job);
        EXPECT_EQ(again.job->id, first.job->id);
        bridge.jobTick();
    }
    // After a restart the key is still known: the job is answered, not run.
    JobHistory reopened{QStringLiteral("merovan.db")};
    EXPECT_TRUE(reopened.open().isEmpty());
    Bridge restarted{op, clock, log, link};
    restarted.setJobHistory(&reopened);
    ApiJobIntake restartedIntake{&reopened, restarted.queue(), clock};
    restartedIntake.requeueWaitingJobs();
    const SubmitAnswer afterRestart = restartedIntake.submit({QStringLiteral("sale-7"), JobKind::Job, passThroughJob("SALE7", "A7")});
    EXPECT_EQ(afterRestart.verdict, SubmitVerdict::SameJob);
    EXPECT_EQ(afterRestart.job->state, JobState::Done);
    EXPECT_EQ(restarted.queue().size(), 0);
    EXPECT_EQ(jobCommands(), QStringList{"KXA7"});
}

// kill -9 in the middle of an API job: the journal holds its start, the
// history shows it running. The next start reports it interrupted in both,
// and its key never runs it again.
TEST_F(HostJobs, AJobACrashCutShortIsInterruptedInTheHistoryAsInTheJournal)
{
    const SubmitAnswer handed = submit("cut", passThroughJob("CUT", "A9"));
    ASSERT_EQ(handed.verdict, SubmitVerdict::Queued);
    const QString spooled = ApiJobIntake::spoolPath(handed.job->id);
    const auto identity = identityOf(spooled);
    ASSERT_TRUE(identity);
    JobJournal crashed{QStringLiteral("merovan.journal")};
    ASSERT_TRUE(crashed.begin({spooled, identity->size, identity->sha256, 3, QStringLiteral("CUT"),
                               ApiJobIntake::resultPathFor(spooled), QStringLiteral("07/12/2026 08:00:00"), 1, false,
                               identity->modifiedMs}));
    ASSERT_TRUE(history.markRunning(handed.job->id, QDateTime::currentDateTimeUtc(), QStringLiteral("CUT"), spooled));

    Bridge restarted{op, clock, log, link};
    JobHistory reopened{QStringLiteral("merovan.db")};
    reopened.open();
    restarted.setJobHistory(&reopened);
    ApiJobIntake restartedIntake{&reopened, restarted.queue(), clock};
    restartedIntake.requeueWaitingJobs();
    EXPECT_EQ(restarted.queue().size(), 0);
    restarted.recoverInterruptedJob();

    const JobRecord record = *reopened.find(handed.job->id);
    EXPECT_EQ(record.state, JobState::Interrupted);
    ASSERT_GE(record.result.size(), 3);
    EXPECT_EQ(record.result[0], QStringLiteral("tag = CUT"));
    EXPECT_TRUE(record.result[2].startsWith(QStringLiteral("Err = -97, [interrupted at line 1 of 3]")));
    EXPECT_EQ(record.exitCode, 1);
    EXPECT_FALSE(crashed.read()) << "the journal let go of it";
    EXPECT_EQ(restartedIntake.submit({QStringLiteral("cut"), JobKind::Job, passThroughJob("CUT", "A9")}).verdict,
              SubmitVerdict::SameJob);
    EXPECT_TRUE(jobCommands().isEmpty());
}

TEST_F(HostJobs, AReportIsQueuedLikeAJobAndRecordedWithItsOutcome)
{
    startPrinting();
    const SubmitAnswer report = submit("x-1", {}, JobKind::XReport);
    ASSERT_EQ(report.verdict, SubmitVerdict::Queued);
    bridge.jobTick();
    EXPECT_TRUE(commands.contains(QStringLiteral("KX0T1")));
    const JobRecord record = *history.find(report.job->id);
    EXPECT_EQ(record.state, JobState::Done);
    EXPECT_EQ(record.kind, JobKind::XReport);
    EXPECT_EQ(record.exitCode, 0);
}

TEST(ResultBlock, ExitCodeAndReceiptAreReadFromTheLinesWritten)
{
    const struct {
        QStringList block;
        std::optional<int> exitCode;
        std::optional<QList<qint64>> receipt;
    } cases[] = {
        {{"tag = A", "receipt = 12, 345, 6, 0", "exitcode = 0"}, 0, QList<qint64>{12, 345, 6}},
        {{"receipt = -1, -1, -1, 0", "exitcode = 1"}, 1, std::nullopt},
        {{"Err = -98, [x] DateTime = y", "exitcode = 1"}, 1, std::nullopt},
        {{"tag = A"}, std::nullopt, std::nullopt},
        {{"exitcode = 1", "exitcode = 0"}, 0, std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(exitCodeOf(c.block), c.exitCode) << c.block.join(u'|').toStdString();
        EXPECT_EQ(receiptCountersOf(c.block), c.receipt) << c.block.join(u'|').toStdString();
    }
}

} // namespace
