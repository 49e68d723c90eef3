#include "jobs/job_queue.h"

#include <QMutexLocker>

namespace merovan {

void JobQueue::add(const QueuedJob &job)
{
    {
        QMutexLocker lock(&mutex_);
        jobs_.push_back(job);
    }
    Q_EMIT added();
}

void JobQueue::putBack(const QueuedJob &job)
{
    QMutexLocker lock(&mutex_);
    jobs_.push_front(job);
}

std::optional<QueuedJob> JobQueue::take()
{
    QMutexLocker lock(&mutex_);
    if (jobs_.empty())
        return std::nullopt;
    QueuedJob job = jobs_.front();
    jobs_.pop_front();
    return job;
}

std::optional<QueuedJob> JobQueue::peek() const
{
    QMutexLocker lock(&mutex_);
    if (jobs_.empty())
        return std::nullopt;
    return jobs_.front();
}

int JobQueue::size() const
{
    QMutexLocker lock(&mutex_);
    return int(jobs_.size());
}

} // namespace merovan
