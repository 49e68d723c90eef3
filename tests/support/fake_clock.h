#pragma once

#include "core/clock.h"

#include <functional>
#include <vector>

namespace merovan::test {

// A clock that only moves when told to: pause() advances it at once, so a
// 7-second deadline costs no real time. Callbacks scheduled at a monotonic
// time run when the clock passes it (a reply that arrives during a pause).
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 3, 14), QTime(10, 20, 30)));

    QDateTime now() const override { return start_.addMSecs(ms_); }
    qint64 monotonicMs() const override { return ms_; }
    void pause(int ms) override;
    QChar decimalSeparator() const override { return separator; }

    // A Greek desktop writes decimals with a comma.
    QChar separator = QLatin1Char(',');

    void advance(qint64 ms);
    void at(qint64 monotonicMs, std::function<void()> action);

    // Total time spent in pause(), to check the protocol's fixed pauses.
    qint64 paused() const { return paused_; }

private:
    struct Pending {
        qint64 when;
        std::function<void()> action;
    };
    QDateTime start_;
    qint64 ms_ = 0;
    qint64 paused_ = 0;
    std::vector<Pending> pending_;
};

} // namespace merovan::test
