#include "device/link_statistics.h"

#include <QMutexLocker>

namespace merovan {

namespace {

// The codes of a command that got no answer at all.
bool unanswered(int code) { return code == -4 || code == -1; }

} // namespace

const QList<double> &LinkStatistics::bucketBounds()
{
    static const QList<double> bounds = {0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5, 10, 30};
    return bounds;
}

void LinkStatistics::recordExchange(int sends, int code, qint64 elapsedMs)
{
    const double seconds = double(elapsedMs) / 1000.0;
    QMutexLocker lock(&mutex_);
    if (perBucket_.isEmpty())
        perBucket_.fill(0, bucketBounds().size() + 1);
    totals_.commandsSent += 1;
    totals_.resends += qMax(0, sends - 1);
    if (code != 0 && !unanswered(code))
        totals_.errorReplies[code] += 1;
    qsizetype bucket = 0;
    while (bucket < bucketBounds().size() && seconds > bucketBounds()[bucket])
        ++bucket;
    perBucket_[bucket] += 1;
    totals_.secondsSum += seconds;
    totals_.exchanges += 1;
    online_ = !unanswered(code);
}

LinkStatistics::Snapshot LinkStatistics::snapshot() const
{
    QMutexLocker lock(&mutex_);
    Snapshot copy = totals_;
    copy.online = online_;
    qint64 running = 0;
    copy.bucketCounts.clear();
    for (qsizetype i = 0; i <= bucketBounds().size(); ++i) {
        running += perBucket_.value(i);
        copy.bucketCounts << running;
    }
    return copy;
}

} // namespace merovan
