#include "tests/framework/recording_window.h"

#include <sstream>

#include "tests/support/pump.h"

namespace framework_testing {

std::string NameOf(Window* window) {
    if (window == nullptr)
        return "-";
    // Recorders set kCreated and are frames; their name is all a log needs.
    auto* recorder = static_cast<RecordingFrame*>(window);
    return window->IsFrame() ? recorder->Name() : "?";
}

static std::string HandleName(HWND hwnd) {
    Window* window = FromHandle(hwnd);
    if (window != nullptr)
        return NameOf(window);
    return hwnd == nullptr ? "-" : "hwnd";
}

void RecordingFrame::Log(Window* w, const char* operation, std::vector<long long> args) {
    std::ostringstream line;
    line << NameOf(w) << "." << operation;
    for (long long a : args)
        line << " " << a;
    log_->push_back(line.str());
}

void RecordingFrame::LogControl(Window* w, const char* operation, Window* control) {
    log_->push_back(NameOf(w) + "." + operation + " " + NameOf(control));
}

void RecordingFrame::OnCreate(Window* w) {
    visibleDuringCreate = IsWindowVisible(w->handle) != FALSE;
    Log(w, "OnCreate");
}

void RecordingFrame::OnMouseEnter(Window* w, HWND previous) {
    log_->push_back(NameOf(w) + ".OnMouseEnter " + HandleName(previous));
}

void RecordingFrame::OnMouseLeave(Window* w, HWND now) {
    log_->push_back(NameOf(w) + ".OnMouseLeave " + HandleName(now));
}

int RecordingFrame::CanClose(Window* w, Window* requester, int code) {
    log_->push_back(NameOf(w) + ".CanClose " + NameOf(requester) + " " + std::to_string(code));
    return canClose;
}

int RecordingFrame::FilterMessage(Window* w, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (recordFilter)
        Log(w, "FilterMessage", {message});
    *result = filterResult;
    return filterBits;
}

int RecordingFrame::OnCommand(Window* w, Window* control, int code, HWND, int id) {
    log_->push_back(NameOf(w) + ".OnCommand " + NameOf(control) + " " + std::to_string(code) + " " +
                    std::to_string(id));
    return commandBits;
}

void RecordingFrame::OnMouseMessage(Window* w, UINT message, WPARAM wParam, int x, int y) {
    if (recordMouseMessages)
        Log(w, "OnMouseMessage", {message, static_cast<long long>(wParam), x, y});
}

int RecordingFrame::OnNotify(Window* w, Window* control, NMHDR* header, LRESULT* result) {
    log_->push_back(NameOf(w) + ".OnNotify " + NameOf(control) + " " + std::to_string(header->code));
    *result = 42;
    return notifyBits;
}

int RecordingFrame::OnEraseBackground(Window* w, PaintContext*) {
    Log(w, "OnEraseBackground");
    return eraseResult;
}

int RecordingFrame::OnDrag(int code, DragInfo* info) {
    lastDrag = *info;
    Log(this, "OnDrag", {code});
    return code == drag_code::kBegin ? dragMode : 0;
}

std::string CompareCalls(const CallLog& expected, const CallLog& actual) {
    size_t a = 0;
    for (size_t e = 0; e < expected.size(); ++e) {
        bool optional = !expected[e].empty() && expected[e][0] == '?';
        std::string want = optional ? expected[e].substr(1) : expected[e];
        if (a < actual.size() && actual[a] == want) {
            ++a;
        } else if (!optional) {
            std::string got = a < actual.size() ? actual[a] : "<end>";
            std::ostringstream text;
            text << "call " << a << ": expected \"" << want << "\", got \"" << got << "\"\nwhole log:";
            for (const std::string& line : actual)
                text << "\n  " << line;
            return text.str();
        }
    }
    if (a < actual.size()) {
        std::ostringstream text;
        text << "unexpected call " << a << ": \"" << actual[a] << "\"\nwhole log:";
        for (const std::string& line : actual)
            text << "\n  " << line;
        return text.str();
    }
    return "";
}

void Settle() {
    testing_support::PumpUntilQuiet(30, 2000);
}

}  // namespace framework_testing
