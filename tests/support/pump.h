#pragma once
// Waiting without guessing: messages are dispatched until a condition holds or
// a deadline passes; the thread sleeps only inside MsgWaitForMultipleObjects.

#include <functional>

namespace testing_support {

// Dispatches messages until `done` returns true (checked after every batch),
// `timeoutMs` elapse or a quit message arrives (left in the queue). Returns
// whether `done` held.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000);

// Dispatches until the queue has been empty for `quietMs`, or up to a quit
// message (left in the queue).
void PumpUntilQuiet(unsigned quietMs = 50, unsigned timeoutMs = 5000);

}  // namespace testing_support
