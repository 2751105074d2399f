#pragma once
// Message boxes would block a test: the recorder answers every box of its
// thread with Enter the moment the box is activated, and keeps what it said.

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

struct MessageBoxRecord {
    std::string text, caption;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();  // hooks the calling thread until destroyed
    ~MessageBoxRecorder();
    const std::vector<MessageBoxRecord>& Boxes() const { return boxes_; }
    // Runs once, inside the next box's activation: what a timer or another
    // window could do while the box's message loop runs.
    std::function<void()> insideNextBox;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    MessageBoxRecorder* previous_;
    std::vector<MessageBoxRecord> boxes_;
    std::set<HWND> open_;  // a box may be activated more than once
};

std::string TextOf(HWND window);

}  // namespace testing_support
