#pragma once
// Drives a modal dialog from the thread that runs it: a script of words runs
// from a thread timer inside the dialog's own loop, each word acting (real
// keys and clicks through SendInput), waiting for what an action brought
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
    HWND dialog;          // the last markup dialog the script waited for
};

Outcome Drive(const std::function<int()>& show, const std::string& script, unsigned timeoutMs = 20000);

// Keys posted to the focused control and buttons clicked by message instead
// of typed and clicked: they take the dialog's own loop as real ones do, but
// not the system's input queue, which hands them to whichever window the
// server thinks is in front. A dialog of a process started by the test may
// lose real input while the machine is busy.
extern bool postInput;

}  // namespace markup_testing
