#pragma once
// The path work of the file and folder chooser, apart from the common dialog:
// the pattern put on the start path, the "(.)" marker by which the folder
// mode tells a confirmed folder from a folder to open, and whether a confirmed
// path is accepted. Pure logic: the dialog itself is file_chooser.cpp.

#include <cstddef>
#include <cstdint>

namespace chooser {

constexpr int kModeFolder = 0;
constexpr int kModeOpen = 1;
constexpr int kModeSave = 2;

constexpr size_t kMaxPath = 260;  // the platform's path limit, terminator included
constexpr uint32_t kPathMustExist = 0x800;
constexpr unsigned long kFileNotFound = 2;
constexpr unsigned long kPathNotFound = 3;

// "*.(.)" matches no ordinary file, so the folder mode lists folders only.
constexpr char kFolderPattern[] = "*.(.)";
constexpr char kFolderMarker[] = "(.)";

// How many bytes of a caller's buffer the chooser may fill: 260, or the
// buffer's size when that is given (non-zero) and smaller.
size_t PathLimit(int bufferSize);

// Prepares the start path: a path that is not terminated within `limit` is
// cut to it; then the pattern is appended, unless it would not fit. After a
// final '\' the folder mode appends "*.(.)" and every other mode "*.*";
// without one the folder mode appends "\*.(.)" and the other modes nothing.
// Returns the length of the path before the pattern.
size_t AppendChooserPattern(char* path, size_t limit, int mode);

// The full path of what the name box holds, as the dialog itself resolves it:
// a name with a drive ("C:\x") or a UNC name ("\\host\share") as it stands,
// a name from the root ("\x") on the folder's drive, any other name inside
// the folder, and an empty name as the folder. Returns false, leaving `out`
// as it was, when the result would not fit `limit`.
bool ResolveChooserName(const char* folder, const char* name, char* out, size_t limit);

// Cuts a trailing "(.)" off a path longer than 5 characters.
bool StripFolderMarker(char* path);

// Appends "(.)" unless it would not fit `limit`.
bool AppendFolderMarker(char* path, size_t limit);

enum class PathStatus { kFolder, kFile, kMissing };

enum class FolderVerdict {
    kAccept,      // the dialog closes with the path in the buffer
    kRefuse,      // the dialog stays open
    kShowFolder,  // refused, and the name box shows the path, now cut to the file's folder
};

// Decides a confirmed folder choice from what the file system says about the
// path (with the error code when it is missing) and the caller's flags. For
// an existing file the path is cut to its folder: at its last '\', or just
// after it when that is the one of a drive root such as "C:\".
FolderVerdict JudgeFolderChoice(char* path, PathStatus status, unsigned long error, uint32_t extraFlags);

}  // namespace chooser
