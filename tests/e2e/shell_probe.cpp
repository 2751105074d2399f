// The journeys' eyes on what no X tool can see into:
//   shell_probe tip TEXT         waits until the tip shown under the pointer
//                                reads TEXT (exit 0) or prints what it read
//   shell_probe active CAPTION   waits until the window with that caption is
//                                the foreground window, which takes the keys
//   shell_probe taskbar-created  what a restarted shell broadcasts
// Started without arguments, as a folder's item under another name, it notes
// that name in C:\e2e-started.txt.
#include <windows.h>

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

// What `tip` and `active` wait for: the shown tip, or the foreground
// window's caption.
std::string Shown(const std::string& command) {
    char text[128] = "";
    if (command == "tip")
        EnumWindows(ReadShownTip, reinterpret_cast<LPARAM>(text));
    else
        GetWindowTextA(GetForegroundWindow(), text, sizeof text);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (argc == 1) {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, sizeof self);
        *strrchr(self, '.') = '\0';
        FILE* file = fopen("C:\\e2e-started.txt", "ab");
        return file != nullptr && fprintf(file, "%s\r\n", strrchr(self, '\\') + 1) > 0 && fclose(file) == 0 ? 0 : 1;
    }
    if (command == "taskbar-created")
        return SendNotifyMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0) ? 0 : 1;
    // A dialog takes the foreground at once or not at all; a tip may wait
    // for the pointer to rest.
    std::string read;
    for (int tries = command == "tip" ? 300 : 50; argc > 2 && tries > 0; --tries, Sleep(100))
        if ((read = Shown(command)) == argv[2])
            return 0;
    printf("%s read: \"%s\"\n", command.c_str(), read.c_str());
    return argc > 2 && (command == "tip" || command == "active") ? 1 : 2;
}
