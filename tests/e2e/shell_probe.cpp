// The journeys' eyes on what no X tool can see into:
//   shell_probe tip TEXT         waits until the tip shown under the pointer
//                                reads TEXT (exit 0) or prints what it read
//   shell_probe active CAPTION   waits until our dialog with that caption is
//                                the foreground window, which takes the keys
//   shell_probe taskbar-created  what a restarted shell broadcasts
//   shell_probe link TARGET LINK a shell link, as a user makes one
// Started without arguments, as a folder's item under another name, it notes
// that name in C:\e2e-started.txt.
#include <windows.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include <string>

namespace {

// A tooltip hands out the text it shows as its window text; asked of another
// process's window, GetWindowText would read only the stored caption.
BOOL CALLBACK ReadShownTip(HWND window, LPARAM read) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && strcmp(name, "tooltips_class32") == 0)
        SendMessageA(window, WM_GETTEXT, 128, read);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 1) {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string name = strrchr(self, '\\') + 1;
        name = name.substr(0, name.rfind('.')) + "\r\n";
        HANDLE file = CreateFileA("C:\\e2e-started.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, 0, nullptr);
        DWORD written = 0;
        bool noted = WriteFile(file, name.data(), static_cast<DWORD>(name.size()), &written, nullptr);
        CloseHandle(file);
        return noted ? 0 : 1;
    }
    std::string command = argv[1];
    if (command == "taskbar-created") {
        return SendNotifyMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0) ? 0 : 1;
    }
    if (command == "link" && argc > 3) {
        CoInitialize(nullptr);
        IShellLinkA* link = nullptr;
        IPersistFile* file = nullptr;
        wchar_t path[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, argv[3], -1, path, MAX_PATH);
        bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                reinterpret_cast<void**>(&link))) &&
                     SUCCEEDED(link->SetPath(argv[2])) &&
                     SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                     SUCCEEDED(file->Save(path, TRUE));
        if (file != nullptr)
            file->Release();
        if (link != nullptr)
            link->Release();
        CoUninitialize();
        return saved ? 0 : 1;
    }
    if (command == "active" && argc > 2) {
        for (int tries = 0; tries < 50; ++tries) {
            HWND active = GetForegroundWindow();
            char name[64] = "";
            char caption[128] = "";
            GetClassNameA(active, name, sizeof name);
            GetWindowTextA(active, caption, sizeof caption);
            if (strcmp(name, "ZUV_UB_CLASS") == 0 && strcmp(caption, argv[2]) == 0)
                return 0;
            Sleep(100);
        }
        return 1;
    }
    if (command == "tip" && argc > 2) {
        char read[128] = "";
        for (int tries = 0; tries < 300; ++tries) {
            read[0] = '\0';
            EnumWindows(ReadShownTip, reinterpret_cast<LPARAM>(read));
            if (strcmp(read, argv[2]) == 0)
                return 0;
            Sleep(100);
        }
        printf("tip read: \"%s\"\n", read);
        return 1;
    }
    fprintf(stderr, "usage: shell_probe tip TEXT | active CAPTION | taskbar-created | link TARGET LINK\n");
    return 2;
}
