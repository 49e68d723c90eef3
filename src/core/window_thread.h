#pragma once

#include <functional>

namespace merovan {

// Runs work on the thread that owns the windows (the application's main
// thread) and returns when it is done. Called there already, it runs at
// once. The worker uses it when a job needs the operator: it waits for
// the answer while the window thread goes on painting and handling events.
void runOnWindowThread(const std::function<void()> &work);

} // namespace merovan
