#pragma once

#include <chrono>
#include <functional>

// Runs work on a thread of its own and waits for it, but never past
// giveUpAt: true once work has ended (what it threw is thrown again here),
// false when giveUpAt came first. Work given up on goes on unobserved until
// it ends by itself, so it must hold nothing of the caller's: whatever it
// reads or writes, it owns (copies, shared pointers).
//
// Meanwhile the calling (window) thread shows a busy cursor and goes on
// painting and running its timers, but takes no keyboard or mouse input:
// nothing the user does can start a second print while the first one
// waits. The input made meanwhile is handled afterwards.
bool RunWhileBusy(std::function<void()> work, std::chrono::steady_clock::time_point giveUpAt);
