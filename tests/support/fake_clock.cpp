#include "fake_clock.h"

#include <algorithm>

namespace merovan::test {

FakeClock::FakeClock(QDateTime start) : start_(std::move(start)) {}

void FakeClock::pause(int ms)
{
    paused_ += ms;
    advance(ms);
}

void FakeClock::advance(qint64 ms)
{
    const qint64 target = ms_ + std::max<qint64>(ms, 0);
    // Run due callbacks in time order, each at its own moment.
    for (;;) {
        auto due = std::min_element(pending_.begin(), pending_.end(),
                                    [](const Pending &a, const Pending &b) { return a.when < b.when; });
        if (due == pending_.end() || due->when > target)
            break;
        ms_ = std::max(ms_, due->when);
        auto action = std::move(due->action);
        pending_.erase(due);
        action();
    }
    ms_ = target;
}

void FakeClock::at(qint64 monotonicMs, std::function<void()> action)
{
    pending_.push_back({monotonicMs, std::move(action)});
}

} // namespace merovan::test
