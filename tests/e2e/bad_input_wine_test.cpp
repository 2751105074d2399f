// The real Tapdeck.exe, installed, against what the disk, the shell and the
// user can throw at it where no table of the pure code reaches: locks, a
// folder in the item file's place, a box's own message loop, the most
// folders, two copies at once. Each row prepares the folders, starts the
// program, acts as the shell does (tray notifications posted to the launcher
// window, the taskbar's broadcast, a quit) and checks that the program
// neither crashes nor hangs, shows what it should (each box it shows is noted
// and answered) and keeps on disk the order it could not rewrite.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "util/registry.h"

namespace {

const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck";
const std::string kNoFolder = "[Warning]";  // the markup dialog about folder 0

// One run of the program, and what it showed.
class Session {
public:
    explicit Session(const std::string& exe) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\"";
        EXPECT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        WaitForInputIdle(process.hProcess, 30000);
        Settle();
    }
    ~Session() {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // As the shell notifies it: a press on tray icon k is (WM_APP, k, button),
    // sent without waiting. A sent message, unlike a posted one, is handled
    // before the probe that Settle sends after it.
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        SendNotifyMessageA(launcher, message, wParam, lParam);
        Settle();
    }

    // Waits until the program has handled what was posted (a box's own loop
    // handles the probe too), then notes and answers each box it shows.
    void Settle() {
        for (int round = 0; round < 8; ++round) {
            HWND probed = launcher;
            DWORD_PTR ignored;
            if (probed != nullptr && !SendMessageTimeoutA(probed, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored))
                return;  // hung: Quit tells
            size_t before = answered.size();
            EnumThreadWindows(process.dwThreadId, Look, reinterpret_cast<LPARAM>(this));
            if (answered.size() == before && probed != nullptr)
                return;
            if (probed == nullptr)  // nothing to probe yet: a startup box may still be closing
                WaitForSingleObject(process.hProcess, 100);
        }
    }

    // Ends the program as its Quit command does; its exit code, 98 when it
    // hangs.
    DWORD Quit() {
        PostThreadMessageA(process.dwThreadId, WM_QUIT, 1, 0);
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
            return 98;
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    std::string shown;
    std::vector<HWND> answered;  // noted once, though a box may linger until its answer is read
    HWND launcher = nullptr;
    PROCESS_INFORMATION process{};

private:
    // Finds the launcher window. A message box is noted with its text and
    // takes OK; our dialog is noted by its caption and takes Enter, its '+'.
    static BOOL CALLBACK Look(HWND window, LPARAM self) {
        auto* session = reinterpret_cast<Session*>(self);
        char kind[32] = "", caption[128] = "", text[256] = "";
        GetClassNameA(window, kind, sizeof kind);
        GetWindowTextA(window, caption, sizeof caption);
        bool message = strcmp(kind, "#32770") == 0;
        if (strcmp(kind, "ZUV_WL_FRAME") == 0 && strcmp(caption, "Tapdeck") == 0)
            session->launcher = window;
        if (!IsWindowVisible(window) || (!message && strcmp(kind, "ZUV_UB_CLASS") != 0) ||
            std::find(session->answered.begin(), session->answered.end(), window) != session->answered.end())
            return TRUE;
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
        session->shown += (session->shown.empty() ? "" : " / ") +
                          (message ? std::string(caption) + ": " + text : "[" + std::string(caption) + "]");
        PostMessageA(window, message ? WM_COMMAND : WM_KEYDOWN, message ? IDOK : VK_RETURN, 0);
        session->answered.push_back(window);
        return TRUE;
    }
};

TEST(BadInput, NeitherCrashesNorHangsAndKeepsWhatItCannotRewrite) {
    const char* built = getenv("TAPDECK_EXE");
    ASSERT_NE(built, nullptr);
    testing_support::ScratchFolder base;
    std::string exe = base / "Tapdeck.exe", source = std::string("Z:") + built;
    for (char& c : source)
        c = c == '/' ? '\\' : c;
    ASSERT_TRUE(CopyFileA(source.c_str(), exe.c_str(), FALSE));
    // Registered as installed: a start without folder 0 then warns instead of
    // setting up.
    const char name[] = "Tapdeck (Remove only)";
    RegWriteValue(kKey, HKEY_LOCAL_MACHINE, "DisplayName", REG_SZ, name, sizeof name);
    const std::string itemFile = base / "0\\tapdeck.dat";
    // Folder k with `count` empty items, its item file recording them in order.
    auto makeFolder = [&](int k, int32_t count) {
        std::string folder = std::to_string(k) + "\\";
        base.MakeFolder(folder);
        std::string bytes = "ZTD1" + std::string(reinterpret_cast<const char*>(&count), 4), record(328, '\0');
        for (int i = 0; i < count; ++i) {
            std::string path = base.WriteFile(folder + "item " + std::to_string(i) + ".txt", "");
            bytes += std::string(record).replace(8, path.size(), path);
        }
        base.WriteFile(folder + "tapdeck.dat", bytes);
    };
    HANDLE held = INVALID_HANDLE_VALUE;
    struct Row {
        const char* name;
        std::function<void()> prepare;      // after folders 0 and 1 got two items each
        std::function<void(Session&)> act;  // after a right press on icon 0
        std::string shown;
        bool orderKept;  // folder 0's item file is the prepared one, byte for byte
    } rows[] = {
        {"item file locked by another process",
         [&] {
             held = CreateFileA(itemFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         nullptr, kNoFolder, true},
        {"a folder in the item file's place", [&] { DeleteFileA(itemFile.c_str()), base.MakeFolder("0\\tapdeck.dat"); },
         nullptr, kNoFolder, false},
        // An item added while running is recorded by the press's own rescan.
        {"16 folders and a 17th",
         [&] {
             for (int k = 2; k <= 16; ++k)
                 makeFolder(k, 1);
         },
         [&](Session& s) {
             base.WriteFile("15\\added.txt", "");
             s.Post(WM_APP, 15, WM_RBUTTONDOWN);
             EXPECT_EQ(testing_support::ReadWholeFile(base / "15\\tapdeck.dat").size(), 8u + 2 * 328);
             s.Post(WM_APP, 16, WM_RBUTTONDOWN);
         },
         "", true},
        {"a tray press while the warning box is open", [&] { base.WriteFile("1\\tapdeck.dat", "not ours"); },
         [](Session& s) { s.Post(WM_APP, 1, WM_RBUTTONDOWN); }, "Warning: Invalid .dat file, new file created", true},
        {"two copies at once", nullptr,
         [&](Session&) {
             Session second(exe);
             second.Post(WM_APP, 0, WM_RBUTTONDOWN);
             EXPECT_EQ(second.Quit(), 0u);
             EXPECT_EQ(second.shown, "");
         },
         "", true},
    };
    for (Row& row : rows) {
        for (int k = 0; k <= 16; ++k)
            testing_support::RemoveTree(base / std::to_string(k));
        makeFolder(0, 2);
        makeFolder(1, 2);
        if (row.prepare)
            row.prepare();
        std::string before = testing_support::ReadWholeFile(itemFile);
        {
            Session session(exe);
            session.Post(WM_APP, 0, WM_RBUTTONDOWN);
            if (row.act)
                row.act(session);
            EXPECT_EQ(session.Quit(), 0u) << row.name;
            EXPECT_EQ(session.shown, row.shown) << row.name;
        }
        CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
        if (row.orderKept) {
            EXPECT_EQ(testing_support::ReadWholeFile(itemFile), before) << row.name;
        }
    }
    RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, kKey);
}

}  // namespace
