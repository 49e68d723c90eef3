#include "fake_backend.h"

#include <utility>

namespace merovan::test {

SubmitAnswer FakeBackend::submit(const JobSubmission &submission)
{
    submissions << submission;
    asked();
    switch (verdict) {
    case SubmitVerdict::Queued: {
        JobRecord &job = addJob(jobRecords.isEmpty() ? 1 : jobRecords.lastKey() + 1, JobState::Queued);
        job.source = JobSource::Api;
        job.kind = submission.kind;
        job.idempotencyKey = submission.idempotencyKey;
        return {.verdict = verdict, .job = job};
    }
    case SubmitVerdict::SameJob:
        return {.verdict = verdict, .job = job(sameJobId)};
    default:
        return {.verdict = verdict, .job = std::nullopt};
    }
}

std::optional<JobRecord> FakeBackend::job(qint64 id) const
{
    asked();
    const auto found = jobRecords.constFind(id);
    return found == jobRecords.cend() ? std::nullopt : std::optional<JobRecord>(*found);
}

QList<JobRecord> FakeBackend::jobs(int limit, qint64 before) const
{
    QList<JobRecord> newestFirst;
    const QList<JobRecord> oldestFirst = jobRecords.values();
    for (auto it = oldestFirst.crbegin(); it != oldestFirst.crend() && newestFirst.size() < limit; ++it) {
        if (before == 0 || it->id < before)
            newestFirst << *it;
    }
    return newestFirst;
}

QList<LogLine> FakeBackend::logAfter(qint64 seq) const
{
    asked();
    QList<LogLine> after;
    for (const LogLine &line : log) {
        if (line.seq > seq)
            after << line;
    }
    return after;
}

JobRecord &FakeBackend::addJob(qint64 id, JobState state)
{
    JobRecord &job = jobRecords[id];
    job.id = id;
    job.state = state;
    job.queuedAt = QDateTime(QDate(2026, 12, 7), QTime(8, 1, 2, 345), Qt::UTC);
    job.fingerprint = QByteArray(64, 'a');
    return job;
}

void FakeBackend::asked() const
{
    if (const std::function<void()> next = std::exchange(onAsked, nullptr))
        next();
}

void FakeBackend::endJob(qint64 id)
{
    jobRecords[id].state = JobState::Done;
    Q_EMIT jobChanged(id);
}

void FakeBackend::addLogLine(const QString &text)
{
    log << LogLine{.seq = log.size() + 1, .text = text};
    Q_EMIT logGrew();
}

} // namespace merovan::test
