#pragma once

#include <QList>
#include <QMap>
#include <QMutex>

#include <atomic>

namespace merovan {

// What the link has done since start, for the host API's metrics: commands
// and their resends, error replies by code, how long exchanges took, and
// whether the register answered the last one. Written by the worker,
// read from the API's thread.
class LinkStatistics {
public:
    // Upper bounds of the exchange-time buckets, in seconds.
    static const QList<double> &bucketBounds();

    // One command's exchange: how often it went out, its result code and
    // how long it took. No answer (-4) or a lost device counts the register
    // off line; any answer, an error reply included, on line.
    void recordExchange(int sends, int code, qint64 elapsedMs);
    // A command that could not even be sent (the device did not open).
    void recordUnreachable() { online_ = false; }
    // A look at the register outside any job: whether it answered.
    void recordPresence(bool answered) { online_ = answered; }

    struct Snapshot {
        qint64 commandsSent = 0;
        qint64 resends = 0;
        QMap<int, qint64> errorReplies;
        QList<qint64> bucketCounts; // cumulative, one per bound, then the total
        double secondsSum = 0;
        qint64 exchanges = 0;
        bool online = false;
    };
    Snapshot snapshot() const;
    bool online() const { return online_; }

private:
    mutable QMutex mutex_;
    Snapshot totals_;
    QList<qint64> perBucket_; // not cumulative
    std::atomic<bool> online_ = false;
};

} // namespace merovan
