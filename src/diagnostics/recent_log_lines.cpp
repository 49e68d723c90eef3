#include "diagnostics/recent_log_lines.h"

#include <QMutexLocker>

#include <algorithm>

namespace merovan {

RecentLogLines::RecentLogLines(qsizetype capacity, QObject *parent) : QObject(parent), capacity_(capacity) {}

void RecentLogLines::add(const QString &line)
{
    {
        QMutexLocker lock(&mutex_);
        lines_.push_back({++lastSeq_, line});
        if (qsizetype(lines_.size()) > capacity_)
            lines_.pop_front();
    }
    Q_EMIT grew();
}

QList<RecentLogLines::Line> RecentLogLines::after(qint64 seq) const
{
    QMutexLocker lock(&mutex_);
    const auto first = std::upper_bound(lines_.begin(), lines_.end(), seq,
                                        [](qint64 value, const Line &line) { return value < line.seq; });
    return QList<Line>(first, lines_.end());
}

} // namespace merovan
