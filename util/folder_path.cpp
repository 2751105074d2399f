#include "util/folder_path.h"

#include <windows.h>

#include <cstring>

#include "util/bounded_text.h"
#include "util/w_file.h"

int CreateFolderPath(const char* path) {
    char work[kPathSize] = "";
    if (!CopyText(work, sizeof work, path)) {
        return 2;
    }
    size_t length = strlen(work);
    if (length == 0 || work[length - 1] != '\\') {
        if (!AppendText(work, sizeof work, "\\")) {
            return 2;
        }
    }
    if (work[0] == '\0' || work[1] != ':' || work[2] != '\\') {
        return 1;
    }

    bool creating = false;
    for (char* cut = work + 2; *cut != '\0'; ++cut) {
        if (*cut != '\\') {
            continue;
        }
        *cut = '\0';
        if (!creating) {
            DWORD attributes = GetFileAttributesA(work);
            if (attributes == INVALID_FILE_ATTRIBUTES) {
                DWORD error = GetLastError();
                if (error != ERROR_PATH_NOT_FOUND && error != ERROR_FILE_NOT_FOUND) {
                    return 3;
                }
                creating = true;
            } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                return 4;
            }
        }
        if (creating && !CreateDirectoryA(work, nullptr)) {
            return 5;
        }
        *cut = '\\';
    }
    return 0;
}
