#pragma once

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

#include <deque>

namespace merovan {

// The newest lines of the communication log, numbered from 1 over the
// program's run, for readers that come and go (the host API, the web
// console): they ask for what came after the last number they saw. The
// worker adds lines while the API's thread reads them.
class RecentLogLines : public QObject {
    Q_OBJECT
public:
    explicit RecentLogLines(qsizetype capacity = 5000, QObject *parent = nullptr);

    void add(const QString &line);

    struct Line {
        qint64 seq = 0;
        QString text;
    };
    // The kept lines numbered above seq, oldest first.
    QList<Line> after(qint64 seq) const;

Q_SIGNALS:
    // Emitted from the adding thread.
    void grew();

private:
    const qsizetype capacity_;
    mutable QMutex mutex_;
    std::deque<Line> lines_;
    qint64 lastSeq_ = 0;
};

} // namespace merovan
