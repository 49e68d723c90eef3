#pragma once

#include <atomic>
#include <functional>

namespace merovan {

class Clock;

// How far the operator or the system has asked the bridge to end. The
// first request lets the job under way finish and then ends the program;
// the second stops the job at the next command boundary. Any thread may
// raise or read it: the window thread and signal handling raise it, the
// worker that talks to the register reads it between steps.
class StopRequests {
public:
    enum class Level { None, AfterJob, Now };

    // Raises the level by one step and returns the new level.
    Level request();

    Level level() const { return Level(level_.load()); }
    bool requested() const { return level() != Level::None; }
    bool stopNow() const { return level() == Level::Now; }

private:
    std::atomic<int> level_{0};
};

// Pauses for ms, ending early once stopped() says so; true when it ended
// early. Used by the waits that must give way within a second.
bool pauseUnless(Clock &clock, int ms, const std::function<bool()> &stopped);

// The same, ending at any stop request.
bool pauseUnlessStopped(Clock &clock, int ms, const StopRequests &stops);

} // namespace merovan
