// A program that the launcher tests start as an item: it writes its command
// line and working directory beside itself, into its own path + ".ran".

#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH + 8] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    lstrcatA(path, ".ran");
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    FILE* file = fopen(path, "w");
    if (file == nullptr)
        return 1;
    fprintf(file, "%s\n%s\n", GetCommandLineA(), directory);
    fclose(file);
    return 0;
}
