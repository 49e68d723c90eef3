#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace merovan {

// Where a job came from.
enum class JobSource { Folder, CommandLine, Api };

// A job's place in its life. A job ends done (its end lines are written),
// interrupted (a stop or a crash cut it short) or rejected (it was not run:
// unreadable, too large, not a job).
enum class JobState { Queued, Running, Done, Interrupted, Rejected };

// What a job is: a job text, or one of the menu's reports.
enum class JobKind { Job, XReport, PeriodXReport, PeriodZReport, ZReport };

// One job as the job history keeps it.
struct JobRecord {
    qint64 id = 0;
    JobSource source = JobSource::Folder;
    JobKind kind = JobKind::Job;
    QString idempotencyKey;  // empty when none was given
    QByteArray fingerprint;  // SHA-256, hex, of the job text's bytes
    QString jobPath;         // the file that ran (an API job's spooled copy)
    QString tag;             // the job header's tag
    JobState state = JobState::Queued;
    QDateTime queuedAt;      // UTC
    QDateTime startedAt;     // null until it runs
    QDateTime endedAt;       // null until it ends
    QStringList result;      // the result block, line by line, as written to the result file
    std::optional<QList<qint64>> receipt; // the three receipt counters after the job
    std::optional<int> exitCode;

    bool ended() const { return state == JobState::Done || state == JobState::Interrupted || state == JobState::Rejected; }
};

// The words the history and the host API use: "folder", "command-line",
// "api"; "queued", "running", "done", "interrupted", "rejected"; "job",
// "x", "period-x", "period-z", "z".
QString sourceName(JobSource source);
QString stateName(JobState state);
QString kindName(JobKind kind);
std::optional<JobSource> sourceNamed(const QString &name);
std::optional<JobState> stateNamed(const QString &name);
std::optional<JobKind> kindNamed(const QString &name);

} // namespace merovan
