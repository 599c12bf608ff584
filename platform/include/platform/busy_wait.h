#pragma once

#include <functional>

// Runs work on a thread of its own and returns when it is done, passing on
// what it throws. Meanwhile the calling (window) thread shows a busy cursor
// and goes on painting and running its timers, but takes no keyboard or
// mouse input: nothing the user does can start a second print while the
// first one waits. The input made meanwhile is handled afterwards.
//
// work must end by itself in bounded time (every print-system call has its
// deadline); this only keeps the window alive while it runs.
void RunWhileBusy(const std::function<void()> &work);
