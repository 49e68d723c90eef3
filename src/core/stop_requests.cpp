#include "core/stop_requests.h"

#include "core/clock.h"

#include <algorithm>

namespace merovan {

namespace {

// Short enough for a stop request to be seen well within a second.
constexpr int kSliceMs = 100;

} // namespace

StopRequests::Level StopRequests::request()
{
    int current = level_.load();
    while (current < int(Level::Now) && !level_.compare_exchange_weak(current, current + 1)) {
    }
    return Level(std::min(current + 1, int(Level::Now)));
}

bool pauseUnless(Clock &clock, int ms, const std::function<bool()> &stopped)
{
    const qint64 end = clock.monotonicMs() + ms;
    for (qint64 left = ms; left > 0; left = end - clock.monotonicMs()) {
        if (stopped())
            return true;
        clock.pause(int(std::min<qint64>(left, kSliceMs)));
    }
    return stopped();
}

bool pauseUnlessStopped(Clock &clock, int ms, const StopRequests &stops)
{
    return pauseUnless(clock, ms, [&stops] { return stops.requested(); });
}

} // namespace merovan
