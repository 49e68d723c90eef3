#pragma once

#include "jobs/job_submission.h"

#include <QString>

#include <functional>

namespace merovan {

class Clock;
class JobHistory;
class JobQueue;

// Takes a host's job or report onto the queue, exactly once per key: the
// key and a fingerprint of the text are in the job history before the
// answer goes out, so a host that asks again with the same key (after a
// time-out, a restart, a crash) gets the job it already handed in, never a
// second run.
//
// A job text is spooled to "api-jobs/ID.job" in the working folder and
// flushed to disk before it is queued; the worker runs that file like a
// folder job, with its result block written to "api-jobs/ID.result"
// instead of the file its header names: a host on the network does not
// choose files on this machine, and it reads the block from the API.
class ApiJobIntake {
public:
    ApiJobIntake(JobHistory *history, JobQueue &queue, const Clock &clock);

    // True while the bridge is on its way out.
    std::function<bool()> stopping;

    SubmitAnswer submit(const JobSubmission &submission);

    // Start-up: jobs the history shows queued (handed in before a restart
    // or a crash) go on the queue again in the order they came; one whose
    // spooled text is missing is recorded rejected.
    void requeueWaitingJobs();

    static QString spoolFolder() { return QStringLiteral("api-jobs"); }
    static QString spoolPath(qint64 id);
    static QString resultPathFor(const QString &spoolPath);

private:
    bool spool(qint64 id, const QByteArray &text);
    void queue(const JobRecord &record);

    JobHistory *history_;
    JobQueue &queue_;
    const Clock &clock_;
};

} // namespace merovan
