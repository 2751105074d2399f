#include "markup_dialog/chooser_paths.h"

#include <cstring>

#include "util/bounded_text.h"

namespace chooser {

size_t PathLimit(int bufferSize) {
    return (bufferSize > 0 && static_cast<size_t>(bufferSize) < kMaxPath) ? static_cast<size_t>(bufferSize) : kMaxPath;
}

size_t AppendChooserPattern(char* path, size_t limit, int mode) {
    if (limit == 0) {
        return 0;
    }
    size_t length = strnlen(path, limit);
    if (length == limit) {
        length = limit - 1;
        path[length] = '\0';
    }
    bool endsInBackslash = length > 0 && path[length - 1] == '\\';
    const char* pattern = nullptr;
    if (mode == kModeFolder) {
        pattern = endsInBackslash ? kFolderPattern : "\\*.(.)";
    } else if (endsInBackslash) {
        pattern = "*.*";
    }
    if (pattern != nullptr) {
        AppendText(path, limit, pattern);
    }
    return length;
}

bool ResolveChooserName(const char* folder, const char* name, char* out, size_t limit) {
    char path[2 * kMaxPath] = "";
    bool fits = true;
    bool hasDrive = name[0] != '\0' && name[1] == ':';
    if (hasDrive || (name[0] == '\\' && name[1] == '\\')) {
        fits = CopyText(path, sizeof path, name);
    } else if (name[0] == '\\') {
        bool folderHasDrive = folder[0] != '\0' && folder[1] == ':';
        char drive[3] = {folder[0], ':', '\0'};
        fits = CopyText(path, sizeof path, folderHasDrive ? drive : "") && AppendText(path, sizeof path, name);
    } else {
        size_t length = strlen(folder);
        bool separate = name[0] != '\0' && length > 0 && folder[length - 1] != '\\';
        fits = CopyText(path, sizeof path, folder) && (!separate || AppendText(path, sizeof path, "\\")) &&
               AppendText(path, sizeof path, name);
    }
    return fits && CopyText(out, limit, path);
}

bool StripFolderMarker(char* path) {
    size_t length = strlen(path);
    size_t marker = sizeof kFolderMarker - 1;
    if (length <= 5 || strcmp(path + length - marker, kFolderMarker) != 0) {
        return false;
    }
    path[length - marker] = '\0';
    return true;
}

bool AppendFolderMarker(char* path, size_t limit) {
    return AppendText(path, limit, kFolderMarker);
}

FolderVerdict JudgeFolderChoice(char* path, PathStatus status, unsigned long error, uint32_t extraFlags) {
    switch (status) {
        case PathStatus::kFolder:
            return FolderVerdict::kAccept;
        case PathStatus::kFile: {
            char* last = strrchr(path, '\\');
            if (last != nullptr && last - path > 2) {
                *last = '\0';
            } else if (last != nullptr && last - path == 2) {
                last[1] = '\0';
            }
            // A file name without a usable folder part stays as it was typed.
            return FolderVerdict::kShowFolder;
        }
        case PathStatus::kMissing:
            break;
    }
    if ((extraFlags & kPathMustExist) != 0) {
        return FolderVerdict::kRefuse;
    }
    // A folder that does not exist yet may be chosen: the caller creates it.
    return (error == kFileNotFound || error == kPathNotFound) ? FolderVerdict::kAccept : FolderVerdict::kRefuse;
}

}  // namespace chooser
