#pragma once

#include <windows.h>

#include <cstdint>

#include "util/path_limits.h"

// One open file. Every step clears `lastError` first and leaves there the
// Win32 code of the step that failed, so callers look at it after any call.
// Objects live on the stack of one operation and must be closed before they
// go: the destructor complains about a file left open.
class WFile {
public:
    static constexpr int kBufferSize = 4096;

    WFile() = default;
    ~WFile();
    WFile(const WFile&) = delete;
    WFile& operator=(const WFile&) = delete;

    // '>' names the executable's folder; anything else is a relative or
    // absolute path. Returns 0, or the Win32 code of the failure (206 when the
    // path would not fit kPathSize bytes).
    static DWORD ResolveFileName(const char* name, char* path);

    int Open(const char* name, uint32_t modeWord);
    int Close();
    int Seek(int64_t offset, DWORD origin);
    int SeekRelative(int64_t offset);
    uint64_t GetSize();
    uint64_t GetPosition();
    int Read(void* data, DWORD count);
    int Write(const void* data, DWORD count);
    int SetLength(int64_t length);
    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }

    HANDLE handle = INVALID_HANDLE_VALUE;
    uint32_t mode = 0;
    char* buffer = nullptr;
    uint32_t bufferFill = 0;
    uint32_t bufferPos = 0;
    DWORD lastError = 0;

private:
    void Begin();  // clears lastError and the buffer counters
    bool MovePointer(int64_t offset, DWORD origin, uint64_t* position);
};

// Lists the files (never directories) matching a wildcard pattern. After the
// last name it starts again from the first.
class WFileFind {
public:
    explicit WFileFind(const char* pattern);
    ~WFileFind();
    WFileFind(const WFileFind&) = delete;
    WFileFind& operator=(const WFileFind&) = delete;

    // The next file's name, inside entry->cFileName, or null at the end.
    const char* Next(WIN32_FIND_DATAA* entry);

    HANDLE findHandle = INVALID_HANDLE_VALUE;
    char pattern[kPathSize];
    WIN32_FIND_DATAA* current = nullptr;

private:
    void Stop();
};
