// What goes into the job history comes back as it went in.
#include "history_fixture.h"

#include <QDateTime>

using namespace merovan;
using namespace merovan::test;

namespace {

using HistoryRecords = HistoryTest;

TEST_F(HistoryRecords, EveryFieldComesBackAsItWentIn)
{
    const struct {
        const char *what;
        QStringList result;
        std::optional<QList<qint64>> receipt;
        std::optional<int> exitCode;
    } cases[] = {
        {"no lines, no receipt, no exit code", {}, std::nullopt, std::nullopt},
        {"one empty line, an empty receipt", {QString()}, QList<qint64>{}, 0},
        {"a result block",
         {QStringLiteral("tag = Τιμολόγιο 17"), QStringLiteral("DateTime start = 07/12/2026 08:01:02"),
          QStringLiteral("exitcode = 0")},
         QList<qint64>{12, 345, 6}, 0},
        {"lines with quotes, backslashes, line ends and a NUL",
         {QStringLiteral("\"a\" \\ b"), QStringLiteral("one\r\ntwo\nthree"), QString(QChar(0)) + QStringLiteral("x"),
          QStringLiteral("  blanks  "), QStringLiteral("€ ΆΈΉΊΌΎΏ ά")},
         QList<qint64>{0, 9'007'199'254'740'993, -1}, -20},
    };
    qint64 ms = 1'796'000'000'123;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        JobRecord job = queuedJob(ms, QStringLiteral("key-%1").arg(ms));
        job.source = JobSource::Api;
        job.kind = JobKind::PeriodZReport;
        job.tag = QStringLiteral("Ταμείο 2");
        job.jobPath = QStringLiteral("/var/spool/merovan/api/ΕΡΓΑΣΙΑ 1.txt");
        job.state = JobState::Running;
        job.startedAt = QDateTime::fromMSecsSinceEpoch(ms + 1, Qt::LocalTime); // comes back as UTC
        job.id = history_.add(job);
        ASSERT_GT(job.id, 0);
        expectSameJob(history_.find(job.id).value(), job);
        EXPECT_EQ(history_.find(job.id)->startedAt.timeSpec(), Qt::UTC);

        ASSERT_TRUE(history_.finish(job.id, JobState::Done, c.result, c.receipt, c.exitCode, utcAt(ms + 2)));
        job.state = JobState::Done;
        job.result = c.result;
        job.receipt = c.receipt;
        job.exitCode = c.exitCode;
        job.endedAt = utcAt(ms + 2);
        expectSameJob(history_.find(job.id).value(), job);
        expectSameJob(history_.findByKey(job.idempotencyKey).value(), job);
        ms += 1000;
    }
}

TEST_F(HistoryRecords, AJobRunsThenEndsOnce)
{
    const qint64 id = history_.add(queuedJob());
    ASSERT_GT(id, 0);
    EXPECT_EQ(history_.find(id)->state, JobState::Queued);
    EXPECT_EQ(history_.find(id)->startedAt, QDateTime());

    ASSERT_TRUE(history_.markRunning(id, utcAt(5), QStringLiteral("B7"), QStringLiteral("/tmp/b7.txt")));
    const JobRecord running = history_.find(id).value();
    EXPECT_EQ(running.state, JobState::Running);
    EXPECT_EQ(running.startedAt, utcAt(5));
    EXPECT_EQ(running.tag, QStringLiteral("B7"));
    EXPECT_EQ(running.jobPath, QStringLiteral("/tmp/b7.txt"));

    EXPECT_FALSE(history_.finish(id, JobState::Running, {}, std::nullopt, std::nullopt, utcAt(6)));
    EXPECT_FALSE(history_.finish(id, JobState::Queued, {}, std::nullopt, std::nullopt, utcAt(6)));
    ASSERT_TRUE(history_.finish(id, JobState::Interrupted, {QStringLiteral("a")}, std::nullopt, 3, utcAt(6)));
    // An ended job stays as it ended.
    EXPECT_FALSE(history_.finish(id, JobState::Done, {QStringLiteral("b")}, std::nullopt, 0, utcAt(7)));
    EXPECT_FALSE(history_.markRunning(id, utcAt(8), QStringLiteral("C"), QString()));
    const JobRecord ended = history_.find(id).value();
    EXPECT_EQ(ended.state, JobState::Interrupted);
    EXPECT_EQ(ended.result, QStringList{QStringLiteral("a")});
    EXPECT_EQ(ended.exitCode, 3);
    EXPECT_EQ(ended.endedAt, utcAt(6));

    // Only a job under way is added.
    for (JobState end : {JobState::Done, JobState::Interrupted, JobState::Rejected}) {
        JobRecord job = ended;
        job.state = end;
        EXPECT_EQ(history_.add(job), 0);
    }
    EXPECT_FALSE(history_.markRunning(id + 1, utcAt(8), QString(), QString()));
    EXPECT_FALSE(history_.finish(id + 1, JobState::Done, {}, std::nullopt, 0, utcAt(8)));
    EXPECT_EQ(history_.find(id + 1), std::nullopt);
}

TEST_F(HistoryRecords, AKeyNamesOneJob)
{
    const qint64 first = history_.add(queuedJob(1, QStringLiteral("K-1")));
    ASSERT_GT(first, 0);
    EXPECT_EQ(history_.add(queuedJob(2, QStringLiteral("K-1"))), 0);
    EXPECT_EQ(history_.findByKey(QStringLiteral("K-1"))->id, first);
    EXPECT_EQ(history_.findByKey(QStringLiteral("k-1")), std::nullopt);

    // Jobs without a key are many.
    EXPECT_GT(history_.add(queuedJob(3)), first);
    EXPECT_GT(history_.add(queuedJob(4)), first);
    EXPECT_EQ(history_.findByKey(QString()), std::nullopt);
    EXPECT_EQ(history_.list(10, 0).size(), 3);
}

QList<qint64> idsOf(const QList<JobRecord> &jobs)
{
    QList<qint64> ids;
    for (const JobRecord &job : jobs)
        ids << job.id;
    return ids;
}

TEST_F(HistoryRecords, ListsTheNewestFirstBelowAnId)
{
    for (int n = 1; n <= 7; ++n)
        ASSERT_EQ(history_.add(queuedJob(n)), n);
    const struct {
        int limit;
        qint64 before;
        QList<qint64> ids;
    } cases[] = {
        {50, 0, {7, 6, 5, 4, 3, 2, 1}},
        {3, 0, {7, 6, 5}},
        {3, 5, {4, 3, 2}},
        {3, 2, {1}},
        {3, 1, {}},
        {1, 100, {7}},
        {0, 0, {}},
        {-1, 0, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "limit " << c.limit << " before " << c.before);
        EXPECT_EQ(idsOf(history_.list(c.limit, c.before)), c.ids);
    }
}

TEST_F(HistoryRecords, InStateListsTheOldestFirst)
{
    for (int n = 1; n <= 5; ++n)
        history_.add(queuedJob(n));
    history_.markRunning(2, utcAt(10), QString(), QString());
    history_.markRunning(4, utcAt(11), QString(), QString());
    history_.finish(4, JobState::Done, {}, std::nullopt, 0, utcAt(12));
    EXPECT_EQ(idsOf(history_.inState(JobState::Queued)), (QList<qint64>{1, 3, 5}));
    EXPECT_EQ(idsOf(history_.inState(JobState::Running)), QList<qint64>{2});
    EXPECT_EQ(idsOf(history_.inState(JobState::Done)), QList<qint64>{4});
    EXPECT_TRUE(history_.inState(JobState::Rejected).isEmpty());
}

TEST_F(HistoryRecords, PruneForgetsJobsThatEndedBeforeTheTime)
{
    // (ended at, or never ended) -> kept after prune(100)?
    const struct {
        std::optional<qint64> endedAt;
        JobState end;
        bool kept;
    } jobs[] = {
        {50, JobState::Done, false},
        {99, JobState::Rejected, false},
        {99, JobState::Interrupted, false},
        {100, JobState::Done, true},
        {150, JobState::Done, true},
        {std::nullopt, JobState::Queued, true},
        {std::nullopt, JobState::Running, true},
    };
    QList<qint64> kept;
    int gone = 0;
    int made = 0;
    for (const auto &j : jobs) {
        const qint64 id = history_.add(queuedJob(0, QStringLiteral("key %1").arg(made++)));
        ASSERT_GT(id, 0);
        if (j.end == JobState::Running)
            history_.markRunning(id, utcAt(1), QString(), QString());
        if (j.endedAt) {
            ASSERT_TRUE(history_.finish(id, j.end, {}, std::nullopt, 0, utcAt(*j.endedAt)));
        }
        if (j.kept)
            kept.prepend(id);
        else
            ++gone;
    }
    EXPECT_EQ(history_.prune(utcAt(100)), gone);
    EXPECT_EQ(idsOf(history_.list(50, 0)), kept);
    EXPECT_EQ(history_.prune(utcAt(100)), 0);

    // The keys of the pruned jobs are free again; their ids are not given again.
    EXPECT_EQ(history_.findByKey(QStringLiteral("key 0")), std::nullopt);
    EXPECT_GT(history_.add(queuedJob(0, QStringLiteral("key 0"))), qint64(std::size(jobs)));
}

TEST_F(HistoryRecords, AnotherHistoryOnTheFileSeesTheSameJobs)
{
    JobRecord job = queuedJob(7, QStringLiteral("kept"));
    job.id = history_.add(job);
    JobHistory again(history_.path());
    EXPECT_EQ(again.open(), QString());
    expectSameJob(again.find(job.id).value(), job);
    EXPECT_EQ(sqlOn(history_.path(), {QStringLiteral("PRAGMA journal_mode")}), QStringLiteral("wal"));
}

} // namespace
