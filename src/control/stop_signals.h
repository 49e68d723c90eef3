#pragma once

#include <QObject>

class QSocketNotifier;

namespace merovan {

// SIGTERM, SIGINT and SIGHUP as stop requests: each signal that arrives is
// one stopRequested() on the thread that made this object (the main
// thread), however busy the worker is. Only the handler's write to a pipe
// happens inside the signal; the rest runs in the event loop.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

Q_SIGNALS:
    void stopRequested();

private:
    void drain();

    int pipe_[2] = {-1, -1};
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace merovan
