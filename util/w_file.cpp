#include "util/w_file.h"

#include <cstdlib>

#include "util/file_mode.h"
#include "util/module_path.h"

static_assert(file_mode::kGenericRead == GENERIC_READ && file_mode::kGenericWrite == GENERIC_WRITE, "access");
static_assert(file_mode::kFileShareRead == FILE_SHARE_READ && file_mode::kFileShareWrite == FILE_SHARE_WRITE, "share");
static_assert(file_mode::kCreateAlways == CREATE_ALWAYS && file_mode::kOpenExisting == OPEN_EXISTING &&
                  file_mode::kOpenAlways == OPEN_ALWAYS && file_mode::kTruncateExisting == TRUNCATE_EXISTING,
              "disposition");
static_assert(file_mode::kFlagWriteThrough == FILE_FLAG_WRITE_THROUGH &&
                  file_mode::kFlagDeleteOnClose == FILE_FLAG_DELETE_ON_CLOSE,
              "flags");

WFile::~WFile() {
    if (!IsOpen()) {
        return;
    }
    MessageBoxA(nullptr, "File was not closed properly", "Error WFile", MB_OK | MB_ICONWARNING);
    // The warning is for the developer; the file is still released, because a
    // handle that nothing closes keeps the file locked (nothing is shared) for
    // the rest of the process's life.
    Close();
}

DWORD WFile::ResolveFileName(const char* name, char* path) {
    path[0] = '\0';
    if (name[0] == '>') {
        // One byte more than the program's paths, so that a module path that
        // does not fit shows up as a full buffer instead of passing cut.
        char module[kPathSize + 1];
        DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
        if (length == 0) {
            return GetLastError();
        }
        if (length >= kPathSize || !ResolveBesideModule(module, name, path, kPathSize)) {
            return ERROR_FILENAME_EXCED_RANGE;
        }
        return 0;
    }
    DWORD length = GetFullPathNameA(name, kPathSize, path, nullptr);
    if (length == 0) {
        DWORD error = GetLastError();
        return error != 0 ? error : ERROR_INVALID_NAME;
    }
    if (length >= kPathSize) {
        path[0] = '\0';
        return ERROR_FILENAME_EXCED_RANGE;
    }
    return 0;
}

void WFile::Begin() {
    lastError = 0;
    bufferFill = 0;
    bufferPos = 0;
}

int WFile::Open(const char* name, uint32_t modeWord) {
    lastError = 0;
    if (IsOpen()) {
        // A second open would lose the first handle for good.
        lastError = ERROR_BUSY;
        return 1;
    }
    char path[kPathSize];
    DWORD resolveError = ResolveFileName(name, path);
    if (resolveError != 0) {
        lastError = resolveError;
        return 1;
    }
    OpenArguments args = DeriveOpenArguments(modeWord);
    mode = args.mode;
    handle = CreateFileA(path, args.access, args.shareMode, nullptr, args.disposition, args.flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        lastError = GetLastError();
        return 1;
    }
    if (mode & file_mode::kAppend) {
        Seek(0, FILE_END);
    }
    bufferFill = 0;
    bufferPos = 0;
    buffer = nullptr;
    if (mode & file_mode::kBuffered) {
        buffer = static_cast<char*>(malloc(kBufferSize));
        if (buffer == nullptr) {
            CloseHandle(handle);
            handle = INVALID_HANDLE_VALUE;
            lastError = ERROR_NOT_ENOUGH_MEMORY;
            return 1;
        }
    }
    return 0;
}

int WFile::Close() {
    lastError = 0;
    if (!IsOpen()) {
        return 0;
    }
    free(buffer);
    buffer = nullptr;
    BOOL closed = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    if (!closed) {
        lastError = GetLastError();
        return static_cast<int>(lastError);
    }
    return 0;
}

// SetFilePointer reports -1 both for failure and for a position whose low
// part has every bit set; only a non-zero last error tells them apart.
bool WFile::MovePointer(int64_t offset, DWORD origin, uint64_t* position) {
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(0);
    DWORD low = SetFilePointer(handle, static_cast<LONG>(offset & 0xFFFFFFFF), &high, origin);
    if (low == INVALID_SET_FILE_POINTER) {
        DWORD error = GetLastError();
        if (error != 0) {
            lastError = error;
            return false;
        }
    }
    if (position != nullptr) {
        *position = (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
    }
    return true;
}

int WFile::Seek(int64_t offset, DWORD origin) {
    Begin();
    return MovePointer(offset, origin, nullptr) ? 0 : 1;
}

int WFile::SeekRelative(int64_t offset) {
    Begin();
    if (!MovePointer(offset, FILE_CURRENT, nullptr) && lastError == ERROR_NEGATIVE_SEEK) {
        MovePointer(0, FILE_BEGIN, nullptr);
        lastError = ERROR_NEGATIVE_SEEK;
    }
    return lastError != 0 ? 1 : 0;
}

uint64_t WFile::GetSize() {
    lastError = 0;
    DWORD high = 0;
    SetLastError(0);
    DWORD low = GetFileSize(handle, &high);
    if (low == INVALID_FILE_SIZE) {
        DWORD error = GetLastError();
        if (error != 0) {
            lastError = error;
            return 0;
        }
    }
    return (static_cast<uint64_t>(high) << 32) | low;
}

uint64_t WFile::GetPosition() {
    lastError = 0;
    uint64_t position = 0;
    return MovePointer(0, FILE_CURRENT, &position) ? position : 0;
}

int WFile::Read(void* data, DWORD count) {
    Begin();
    DWORD done = 0;
    if (!ReadFile(handle, data, count, &done, nullptr)) {
        lastError = GetLastError();
    }
    return static_cast<int>(done);
}

int WFile::Write(const void* data, DWORD count) {
    Begin();
    DWORD done = 0;
    if (!WriteFile(handle, data, count, &done, nullptr)) {
        lastError = GetLastError();
    }
    return static_cast<int>(done);
}

int WFile::SetLength(int64_t length) {
    Begin();
    uint64_t position = 0;
    if (!MovePointer(0, FILE_CURRENT, &position)) {
        return 1;
    }
    int64_t keep = static_cast<int64_t>(position);
    if (keep > length) {
        keep = length;
    }
    if (Seek(length, FILE_BEGIN) != 0) {
        return 1;
    }
    if (!SetEndOfFile(handle)) {
        lastError = GetLastError();
        return 1;
    }
    return Seek(keep, FILE_BEGIN);
}
