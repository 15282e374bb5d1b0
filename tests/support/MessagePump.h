#pragma once

#include <functional>

namespace testsupport {

// Dispatches the thread's pending messages, at most `limit` of them, so that a test can assert after
// posted work has run without looping for ever on a window that keeps posting.
int pumpMessages(int limit = 10000);
// Dispatches messages for `milliseconds` of real time, for work that waits on system timers.
void pumpFor(unsigned milliseconds);
// Dispatches messages until `done` answers true, and answers whether it did. `guardMilliseconds` only stops
// a test that would otherwise hang: it is set far above the time the event normally takes.
bool pumpUntil(const std::function<bool()>& done, unsigned guardMilliseconds = 60000);
// Runs `work` once from whatever message loop runs next on this thread (a modal dialog's own), after
// the window that is being activated has finished starting up. One piece of work at a time.
void runLater(std::function<void()> work);

} // namespace testsupport
