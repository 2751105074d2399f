#pragma once
// Drives a modal dialog from the thread that runs it: a script of words runs
// from a thread timer inside the dialog's own loop, each word acting
// (keys and clicks posted to the controls), waiting for what an action brought
// about, or noting what it sees. A script that does not finish by its
// deadline fails and closes every dialog, so nothing blocks. The words are
// listed in dialog_driver.cpp.

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/message_boxes.h"

namespace markup_testing {

using testing_support::TextOf;

struct Outcome {
    int result;           // what `show` returned
    std::string seen;     // what the '?' words noted, separated by spaces
    std::string failure;  // "" when every word ran before the deadline
};

Outcome Drive(const std::function<int()>& show, const std::string& script, unsigned timeoutMs = 20000);

}  // namespace markup_testing
