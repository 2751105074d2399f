#pragma once
// Waiting without guessing: messages are dispatched until a condition holds,
// the queue stays quiet or a deadline passes; a quit message stops the pump
// and is left in the queue for the loop that owns it.

#include <functional>

namespace testing_support {

// Returns whether `done` held before `timeoutMs` elapsed.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000);
void PumpUntilQuiet(unsigned quietMs = 50, unsigned timeoutMs = 5000);

}  // namespace testing_support
