#pragma once

#include "history/job_record.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace merovan {

// A job or report handed in by a host.
struct JobSubmission {
    QString idempotencyKey;
    JobKind kind = JobKind::Job;
    QByteArray jobText; // Windows-1253 bytes, as a job file holds them; empty for a report
};

// What became of a submission.
enum class SubmitVerdict {
    Queued,           // a new job, now on the queue
    SameJob,          // the key was seen with the same text: that job, not run again
    KeyUsedOtherwise, // the key was seen with another text or report (422)
    Stopping,         // the bridge is on its way out and takes no new job (503)
    NoHistory,        // the job history cannot be written, so a key could not be kept (503)
};

struct SubmitAnswer {
    SubmitVerdict verdict = SubmitVerdict::Queued;
    std::optional<JobRecord> job; // the job, for Queued and SameJob
};

} // namespace merovan
