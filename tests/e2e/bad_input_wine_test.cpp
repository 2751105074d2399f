// The real Tapdeck.exe, installed, against what the disk, the shell and the
// user can throw at it. Each row prepares the folders, starts the program,
// acts as the shell does (tray notifications posted to the launcher window,
// the taskbar's broadcast, a quit) and checks that the program neither
// crashes nor hangs, shows what it should (each box it shows is noted and
// answered) and keeps on disk the order it could not rewrite.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "util/registry.h"

namespace {

using testing_support::ReadWholeFile;
using testing_support::RemoveTree;

const std::string kBase = "c:\\tapdeck-bad-input";
const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapdeck";
const std::string kInvalid = "Warning: Invalid .dat file, new file created";
const std::string kNoFolder = "[Warning]";  // the markup dialog about folder 0

std::string Folder(int k) {
    return kBase + "\\" + std::to_string(k);
}

void Write(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// An item file with magic, the given count and these records' paths.
std::string ItemFile(int32_t count, const std::vector<std::string>& paths) {
    std::string bytes = "ZTD1" + std::string(reinterpret_cast<const char*>(&count), 4);
    for (const std::string& path : paths) {
        std::string record(328, '\0');
        record.replace(8, path.size(), path);
        bytes += record;
    }
    return bytes;
}

std::vector<std::string> Items(int k, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(Folder(k) + "\\item " + std::to_string(i) + ".txt");
        Write(paths.back(), "");
    }
    return paths;
}

// One run of the program, and what it showed.
class Session {
public:
    explicit Session(const std::string& exe, bool answer = true) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\"";
        EXPECT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process_));
        WaitForInputIdle(process_.hProcess, 30000);
        if (answer)
            Settle();
    }
    ~Session() {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    HWND Launcher() const {
        HWND window = nullptr;
        DWORD owner = 0;
        while ((window = FindWindowExA(nullptr, window, "ZUV_WL_FRAME", "Tapdeck")) != nullptr &&
               (GetWindowThreadProcessId(window, &owner), owner != process_.dwProcessId))
            continue;
        return window;
    }

    // As the shell notifies a press on tray icon `folder`.
    void Tray(int folder, UINT button, int times = 1) {
        for (int i = 0; i < times; ++i)
            PostMessageA(Launcher(), WM_APP, folder, button);
        Settle();
    }
    void Post(UINT message) {
        PostMessageA(Launcher(), message, 0, 0);
        Settle();
    }

    // Waits until the program has handled what was posted (a box's own loop
    // handles the probe too), then notes and answers each box it shows.
    void Settle() {
        for (int round = 0; round < 8; ++round) {
            DWORD_PTR ignored;
            HWND launcher = Launcher();
            if (launcher != nullptr && !SendMessageTimeoutA(launcher, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored)) {
                hung_ = true;
                return;
            }
            if (!AnswerBoxes())
                return;
        }
    }

    // Ends the program as its Quit command does; its exit code.
    DWORD Quit() {
        PostThreadMessageA(process_.dwThreadId, WM_QUIT, 1, 0);
        if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0)
            return hung_ = true, 98;
        DWORD code = 99;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    std::string shown;
    bool hung_ = false;
    PROCESS_INFORMATION process_{};

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    }

    bool AnswerBoxes() {
        std::vector<HWND> boxes;
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&boxes));
        bool answered = false;
        for (HWND box : boxes) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            char kind[32] = "", caption[128] = "", text[256] = "";
            GetClassNameA(box, kind, sizeof kind);
            GetWindowTextA(box, caption, sizeof caption);
            if (owner != process_.dwProcessId || !IsWindowVisible(box))
                continue;
            if (strcmp(kind, "#32770") == 0) {
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                shown += (shown.empty() ? "" : " / ") + std::string(caption) + ": " + text;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                answered = true;
            } else if (strcmp(kind, "ZUV_UB_CLASS") == 0) {
                shown += (shown.empty() ? "" : " / ") + ("[" + std::string(caption) + "]");
                PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);  // its '+' button
                answered = true;
            }
        }
        return answered;
    }
};

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* built = getenv("TAPDECK_EXE");
        ASSERT_NE(built, nullptr);
        std::string unixPath = built;
        for (char& c : unixPath)
            c = c == '/' ? '\\' : c;
        RemoveTree(kBase);
        CreateDirectoryA(kBase.c_str(), nullptr);
        exe_ = kBase + "\\Tapdeck.exe";
        ASSERT_TRUE(CopyFileA(("Z:" + unixPath).c_str(), exe_.c_str(), FALSE));
        const char name[] = "Tapdeck (Remove only)";
        RegWriteValue(kKey, HKEY_LOCAL_MACHINE, "DisplayName", REG_SZ, name, sizeof name);
    }
    void TearDown() override {
        RegDeleteEntry(HKEY_LOCAL_MACHINE, nullptr, kKey);
        RemoveTree(kBase);
    }
    std::string exe_;
};

TEST_F(BadInputTest, NeitherCrashesNorHangsAndKeepsWhatItCannotRewrite) {
    using Step = std::function<void(Session&)>;
    HANDLE held = INVALID_HANDLE_VALUE;
    auto itemFile = [](int k) { return Folder(k) + "\\tapdeck.dat"; };
    auto settings = [](const std::string& bytes) { return [bytes] { Write(kBase + "\\settings.dat", bytes); }; };
    auto items = [&](const std::string& bytes) { return [&, bytes] { Write(itemFile(0), bytes); }; };
    auto readOnly = [](const std::string& path) { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); };
    const std::string record = ItemFile(1, {Folder(0) + "\\item 0.txt"});
    const Step right = [](Session& s) { s.Tray(0, WM_RBUTTONDOWN); };
    struct Row {
        const char* name;
        std::function<void()> prepare;  // after folders 0 and 1 got two items each
        Step act;
        std::string shown;
        bool orderKept;  // folder 0's item file is the prepared one, byte for byte
        bool answerAtStart = true;
    } rows[] = {
        {"empty item file", items(""), right, "", false},
        {"cut inside the header", items("ZTD"), right, kInvalid, false},
        {"cut inside a record", items(record.substr(0, 200)), right, "", false},
        {"another program's file", items("[settings]\r\nsize=3\r\n"), right, kInvalid, false},
        {"huge count", items(ItemFile(0x7FFFFFFF, {Folder(0) + "\\item 1.txt"})), right, "", false},
        {"negative count", items(ItemFile(-5, {Folder(0) + "\\item 1.txt"})), right, "", false},
        {"unterminated strings", items(ItemFile(1, {std::string(400, 'A')})), right, "", false},
        {"item file locked by another process",
         [&] {
             held = CreateFileA(itemFile(0).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         right, kNoFolder, true},
        // Wine lets root write a read-only file; Windows refuses, and then
        // folder 0 is reported missing. Either way the order stays.
        {"read-only item file", [&] { readOnly(itemFile(0)); }, right, "?", true},
        {"a folder in the item file's place",
         [&] { DeleteFileA(itemFile(0).c_str()), CreateDirectoryA(itemFile(0).c_str(), nullptr); }, right, kNoFolder,
         false},
        {"empty settings", settings(""), right, "", true},
        {"short settings", settings("\x01\x02"), right, "", true},
        {"huge settings", settings(std::string(1 << 20, '\xFF')), right, "", true},
        {"read-only settings", [&] { settings("\0\0\0\0")(), readOnly(kBase + "\\settings.dat"); }, right, "", true},
        {"folder 0 missing at start", [] { RemoveTree(Folder(0)), RemoveTree(Folder(1)); }, nullptr, kNoFolder, false},
        {"folder 0 deleted while running", nullptr,
         [](Session& s) { RemoveTree(Folder(0)), s.Tray(0, WM_RBUTTONDOWN), s.Tray(0, WM_LBUTTONDOWN); }, "", false},
        {"folder 0 emptied while its list is open", nullptr,
         [](Session& s) {
             s.Tray(0, WM_RBUTTONDOWN);
             for (int i = 0; i < 2; ++i)
                 DeleteFileA((Folder(0) + "\\item " + std::to_string(i) + ".txt").c_str());
             s.Tray(0, WM_RBUTTONDOWN);
         },
         "", false},
        {"first item deleted between the rescan and the press", nullptr,
         [](Session& s) {
             s.Tray(0, WM_RBUTTONDOWN), DeleteFileA((Folder(0) + "\\item 0.txt").c_str()), s.Tray(0, WM_LBUTTONDOWN);
         },
         "", false},
        {"16 folders and a 17th",
         [] {
             for (int k = 2; k <= 16; ++k)
                 CreateDirectoryA(Folder(k).c_str(), nullptr), Items(k, 1);
         },
         [](Session& s) { s.Tray(15, WM_RBUTTONDOWN), s.Tray(16, WM_RBUTTONDOWN); }, "", true},
        {"a folder of 10,000 files",
         [] {
             for (int i = 0; i < 10000; ++i)
                 Write(Folder(1) + "\\many " + std::to_string(i) + ".txt", "");
         },
         [](Session& s) { s.Tray(1, WM_RBUTTONDOWN); }, "", true},
        {"names near the path limit",
         [] { Write(Folder(0) + "\\" + std::string(255 - Folder(0).size() - 6, 'n') + ".txt", ""); }, right, "", false},
        {"names outside ASCII", [] { Write(Folder(0) + "\\\xE9t\xE9 \xC4rger.txt", ""); }, right, "", false},
        {"100 right presses at once", nullptr, [](Session& s) { s.Tray(0, WM_RBUTTONDOWN, 100); }, "", false},
        {"a tray press while the warning box is open", [] { Write(Folder(1) + "\\tapdeck.dat", "not ours"); },
         [](Session& s) { s.Tray(0, WM_RBUTTONDOWN), s.Tray(1, WM_RBUTTONDOWN); }, kInvalid, true},
        {"the taskbar re-created while a list is open", nullptr,
         [](Session& s) { s.Tray(0, WM_RBUTTONDOWN), s.Post(RegisterWindowMessageA("TaskbarCreated")); }, "", false},
        {"quit while a dialog is open", [] { RemoveTree(Folder(0)); },
         [](Session&) { EXPECT_NE(FindWindowA("ZUV_UB_CLASS", "Warning"), nullptr); }, "", false, false},
    };
    for (Row& row : rows) {
        RemoveTree(Folder(0));
        RemoveTree(Folder(1));
        for (int k = 2; k <= 16; ++k)
            RemoveTree(Folder(k));
        DeleteFileA((kBase + "\\settings.dat").c_str());
        for (int k : {0, 1}) {
            CreateDirectoryA(Folder(k).c_str(), nullptr);
            Write(itemFile(k), ItemFile(2, Items(k, 2)));
        }
        if (row.prepare)
            row.prepare();
        std::string before = ReadWholeFile(itemFile(0));
        std::string settingsBefore = ReadWholeFile(kBase + "\\settings.dat");
        {
            Session session(exe_, row.answerAtStart);
            if (row.act && session.Launcher() != nullptr)
                row.act(session);
            DWORD code = session.Quit();
            EXPECT_FALSE(session.hung_) << row.name;
            EXPECT_EQ(code, 0u) << row.name;
            if (row.shown != "?") {
                EXPECT_EQ(session.shown, row.shown) << row.name;
            }
        }
        CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
        if (row.orderKept) {
            EXPECT_EQ(ReadWholeFile(itemFile(0)), before) << row.name;
            EXPECT_EQ(ReadWholeFile(kBase + "\\settings.dat"), settingsBefore) << row.name;
        }
        for (const std::string& path : {itemFile(0), kBase + "\\settings.dat"})
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(itemFile(0).c_str());
    }
}

// Two copies started at once both run and both end cleanly; the item file
// they both rewrote is whole.
TEST_F(BadInputTest, TwoCopiesAtOnce) {
    CreateDirectoryA(Folder(0).c_str(), nullptr);
    Write(Folder(0) + "\\tapdeck.dat", ItemFile(2, Items(0, 2)));
    std::string order = ReadWholeFile(Folder(0) + "\\tapdeck.dat");
    Session first(exe_), second(exe_);
    first.Tray(0, WM_RBUTTONDOWN);
    second.Tray(0, WM_RBUTTONDOWN);
    EXPECT_EQ(first.Quit(), 0u);
    EXPECT_EQ(second.Quit(), 0u);
    EXPECT_EQ(first.shown + second.shown, "");
    EXPECT_EQ(ReadWholeFile(Folder(0) + "\\tapdeck.dat"), order);
}

}  // namespace
