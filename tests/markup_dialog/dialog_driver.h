#pragma once
// Driving a modal dialog from the thread that runs it: a script of steps runs
// from a thread timer inside the dialog's own message loop, and each step
// either acts (real keys and clicks through SendInput) or waits for what the
// previous action should have brought about. A script that does not finish by
// its deadline fails the test and closes every dialog, so nothing blocks.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace markup_testing {

// A step returns true when it is done; a false return repeats it at the next
// tick (every 20 ms).
using Step = std::function<bool()>;

struct ScriptResult {
    int result;           // what `show` returned
    bool finished;        // every step ran before the deadline
    std::string failure;  // the step that was still waiting
};

// Runs `show` (which opens a modal dialog) while `steps` run in order.
ScriptResult RunScript(const std::function<int()>& show, const std::vector<Step>& steps, unsigned timeoutMs = 10000);

// The visible markup dialog of this thread, or null.
HWND MarkupDialog();
// A visible common file dialog owned by `owner`, or null.
HWND CommonDialogOf(HWND owner);

// Waits until the input sent so far has left the queue and `ms` have passed
// for what it set off: the check that something did NOT happen.
Step Settle(unsigned ms = 150);

// Waits for the markup dialog and makes sure it has the keyboard.
Step WaitForDialog(HWND* dialog);

// Real input.
void PressKey(WORD key);
void PressKeys(std::initializer_list<WORD> chord);  // held together, released in reverse
void TypeText(const std::string& text);

// A place on the screen, found when the step runs; false while it is not there.
using Where = std::function<bool(POINT*)>;
Where CentreOf(std::function<HWND()> window);
Where CloseBoxOf(std::function<HWND()> window);  // where the window answers HTCLOSE

// Moves the pointer, waits until it is there, then clicks. Wine takes the
// buttons of one SendInput batch at the pointer's old place when the move
// has not reached the X server yet.
Step ClickOn(Where where, int clicks = 1);

std::string TextOf(HWND window);
RECT ClientRectIn(HWND window, HWND parent);  // the window's rectangle in the parent's client area

}  // namespace markup_testing
