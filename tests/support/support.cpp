// The shared set-up of the Windows test programs: their entry point, the
// message-box recorder, the message pump and scratch folders.

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/message_boxes.h"
#include "tests/support/pump.h"
#include "tests/support/scratch_folder.h"

namespace testing_support {

namespace {

thread_local MessageBoxRecorder* activeRecorder = nullptr;
constexpr int kTextId = 0xFFFF;  // the static that holds a message box's text

// Pumps until `stop` says so; `stop` gets whether the last wait timed out. A
// quit message is put back and ends the pump: the queue would never look
// empty again.
void Pump(const std::function<bool(bool)>& stop, unsigned waitMs, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    for (bool quiet = false; !stop(quiet) && GetTickCount() - start < timeoutMs;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return PostQuitMessage(static_cast<int>(msg.wParam));
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        quiet = MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT) == WAIT_TIMEOUT;
    }
}

}  // namespace

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

MessageBoxRecorder::MessageBoxRecorder()
    : hook_(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())), previous_(activeRecorder) {
    activeRecorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    UnhookWindowsHookEx(hook_);
    activeRecorder = previous_;
}

LRESULT CALLBACK MessageBoxRecorder::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxRecorder* recorder = activeRecorder;
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    bool isBox = lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, kTextId) != nullptr;
    if (recorder != nullptr && code == HCBT_ACTIVATE && isBox && recorder->open_.insert(window).second) {
        recorder->boxes_.push_back({TextOf(GetDlgItem(window, kTextId)), TextOf(window)});
        std::function<void()> action = std::move(recorder->insideNextBox);
        recorder->insideNextBox = nullptr;
        if (action)
            action();
        // The box picks its default button only after activation: Enter goes
        // through its own dialog loop.
        PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    } else if (recorder != nullptr && code == HCBT_DESTROYWND) {
        recorder->open_.erase(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    Pump([&](bool) { return done(); }, 20, timeoutMs);
    return done();
}

void PumpUntilQuiet(unsigned quietMs, unsigned timeoutMs) {
    Pump([](bool quiet) { return quiet; }, quietMs, timeoutMs);
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::string(temp) + "tapdeck-" + test->test_suite_name() + "." + test->name();
    RemoveTree(path_);  // left over from a run that crashed
    EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_ << ", error " << GetLastError();
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::string ScratchFolder::WriteFile(const std::string& name, const std::string& contents) const {
    std::ofstream(*this / name, std::ios::binary) << contents;
    return *this / name;
}

std::string ScratchFolder::MakeFolder(const std::string& name) const {
    EXPECT_TRUE(CreateDirectoryA((*this / name).c_str(), nullptr)) << name;
    return *this / name;
}

std::string ReadWholeFile(const std::string& path) {
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    return contents.str();
}

bool FileExists(const std::string& path) {
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0;  // INVALID_FILE_ATTRIBUTES has it
}

bool FolderExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !FileExists(path);
}

// The shell deletes read-only files too.
void RemoveTree(const std::string& path) {
    std::string from = path + '\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTA remove = {nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
    SHFileOperationA(&remove);
}

std::string FillDisk(const std::string& folder) {
    std::string path = folder + "\\filler";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    char block[4096] = {};
    DWORD written = 0;
    while (WriteFile(file, block, sizeof block, &written, nullptr) && written == sizeof block)
        continue;
    CloseHandle(file);
    return path;
}

}  // namespace testing_support

// COM for the shell objects, and a message-box recorder for the whole run so
// that no stray box can block it.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    CoInitialize(nullptr);
    testing_support::MessageBoxRecorder safetyNet;
    return RUN_ALL_TESTS();
}
