#pragma once

#include "history/job_record.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <deque>
#include <optional>

namespace merovan {

// A job handed in by a host, waiting for the worker: its history id, what
// it is, and for a job text the spooled file that will run.
struct QueuedJob {
    qint64 id = 0;
    JobKind kind = JobKind::Job;
    QString path;
};

// The host API's jobs and reports in the order they arrived. The API's
// thread adds, the worker takes; the job folder is not on it: the worker
// looks at the folder itself and takes a queued job between two folder
// jobs, so the folder keeps the order it always had.
class JobQueue : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void add(const QueuedJob &job);
    // A job that could not start goes back to the head, to be next.
    void putBack(const QueuedJob &job);
    std::optional<QueuedJob> take();
    std::optional<QueuedJob> peek() const;
    int size() const;

Q_SIGNALS:
    // Emitted from the adding thread.
    void added();

private:
    mutable QMutex mutex_;
    std::deque<QueuedJob> jobs_;
};

} // namespace merovan
