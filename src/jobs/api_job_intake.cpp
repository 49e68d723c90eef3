#include "jobs/api_job_intake.h"

#include "core/clock.h"
#include "core/sync_to_disk.h"
#include "history/job_history.h"
#include "jobs/job_queue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace merovan {

namespace {

QByteArray fingerprintOf(const JobSubmission &submission)
{
    const QByteArray what =
        submission.kind == JobKind::Job ? submission.jobText : "report:" + kindName(submission.kind).toUtf8();
    return QCryptographicHash::hash(what, QCryptographicHash::Sha256).toHex();
}

// The line of a job whose text could not be kept until it ran, shaped as
// the line of any job that is not run.
QString lostSpoolLine(qint64 id, const Clock &clock)
{
    return QStringLiteral("Err = -98, [the job's text could not be kept: %1] DateTime = %2")
        .arg(ApiJobIntake::spoolPath(id), resultStamp(clock.now()));
}

} // namespace

ApiJobIntake::ApiJobIntake(JobHistory *history, JobQueue &queue, const Clock &clock)
    : history_(history), queue_(queue), clock_(clock)
{
}

QString ApiJobIntake::spoolPath(qint64 id)
{
    return QDir(spoolFolder()).absoluteFilePath(QString::number(id) + QStringLiteral(".job"));
}

QString ApiJobIntake::resultPathFor(const QString &spoolPath)
{
    return spoolPath.left(spoolPath.size() - 4) + QStringLiteral(".result");
}

SubmitAnswer ApiJobIntake::submit(const JobSubmission &submission)
{
    if (stopping && stopping())
        return {SubmitVerdict::Stopping, std::nullopt};
    if (!history_ || !history_->available())
        return {SubmitVerdict::NoHistory, std::nullopt};
    const QByteArray fingerprint = fingerprintOf(submission);
    if (const auto known = history_->findByKey(submission.idempotencyKey)) {
        const bool same = known->fingerprint == fingerprint && known->kind == submission.kind;
        return {same ? SubmitVerdict::SameJob : SubmitVerdict::KeyUsedOtherwise, *known};
    }
    JobRecord record;
    record.source = JobSource::Api;
    record.kind = submission.kind;
    record.idempotencyKey = submission.idempotencyKey;
    record.fingerprint = fingerprint;
    record.state = JobState::Queued;
    record.queuedAt = clock_.now().toUTC();
    record.id = history_->add(record);
    if (record.id == 0)
        return {SubmitVerdict::NoHistory, std::nullopt};
    if (submission.kind == JobKind::Job) {
        record.jobPath = spoolPath(record.id);
        // A text that cannot be kept is never run: the host sees it rejected.
        if (!spool(record.id, submission.jobText)) {
            history_->finish(record.id, JobState::Rejected, {lostSpoolLine(record.id, clock_)}, std::nullopt, 1,
                             clock_.now().toUTC());
            return {SubmitVerdict::Queued, history_->find(record.id)};
        }
    }
    queue(record);
    return {SubmitVerdict::Queued, record};
}

bool ApiJobIntake::spool(qint64 id, const QByteArray &text)
{
    if (!QDir().mkpath(spoolFolder()))
        return false;
    // Written whole under another name and on the disk before it takes
    // its own: a crash leaves the job's text complete or absent.
    const QString path = spoolPath(id);
    QFile file(path + QStringLiteral(".part"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !syncToDisk(file))
        return false;
    file.close();
    QFile::remove(path);
    return file.rename(path);
}

void ApiJobIntake::queue(const JobRecord &record)
{
    queue_.add({record.id, record.kind, record.kind == JobKind::Job ? spoolPath(record.id) : QString()});
}

void ApiJobIntake::requeueWaitingJobs()
{
    if (!history_)
        return;
    for (const JobRecord &record : history_->inState(JobState::Queued)) {
        if (record.kind == JobKind::Job && !QFileInfo(spoolPath(record.id)).isFile()) {
            history_->finish(record.id, JobState::Rejected, {lostSpoolLine(record.id, clock_)}, std::nullopt, 1,
                             clock_.now().toUTC());
            continue;
        }
        queue(record);
    }
}

} // namespace merovan
