#include "markup_dialog/file_chooser.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstddef>
#include <cstring>

#include "markup_dialog/chooser_paths.h"
#include "util/bounded_text.h"

namespace {

// The record sits first, so the pointer the dialog window keeps to it also
// reaches the two values the folder mode needs while the dialog is open.
struct FolderChooser {
    OPENFILENAMEA record;
    WNDPROC previous;
    DWORD extraFlags;
};

// The record without the later additions: 76 bytes in the 32-bit program.
// The size follows the pointer width, so a 64-bit build of the tests
// passes the layout that its own dialog expects.
constexpr DWORD kRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || kRecordSize == 76, "the 32-bit record without the later additions");
constexpr DWORD kFolderFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOVALIDATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
constexpr char kFolderFilter[] = "Folders\0*.(.)\0";

FolderChooser* ChooserOf(const OPENFILENAMEA* record) {
    return record != nullptr ? reinterpret_cast<FolderChooser*>(record->lCustData) : nullptr;
}

void SetNameBox(HWND dialog, const char* text) {
    SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(text));
}

// The full path of the name in the box. The dialog's own answer to
// CDM_GETFILEPATH cannot serve: Wine puts the folder in front of a name that
// already is a full path, so the path is resolved here from the folder and
// the name, as Windows does it, and made canonical ("..", ".").
bool ReadChosenPath(HWND dialog, char* path, size_t limit) {
    char folder[MAX_PATH] = "";
    char name[MAX_PATH] = "";
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    SendMessageA(dialog, CDM_GETSPEC, sizeof name, reinterpret_cast<LPARAM>(name));
    char combined[MAX_PATH];
    if (!chooser::ResolveChooserName(folder, name, combined, sizeof combined)) {
        return false;
    }
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(combined, sizeof full, full, nullptr);
    return CopyText(path, limit, length > 0 && length < sizeof full ? full : combined);
}

void OnInitDone(HWND dialog, FolderChooser* chooser) {
    SendMessageA(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("OK"));
    SendMessageA(dialog, CDM_SETCONTROLTEXT, stc3, reinterpret_cast<LPARAM>("Folder:"));
    SetNameBox(dialog, chooser->record.lpstrFile);
    chooser->previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC));
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&chooser->record));
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FolderChooserProc));
}

// The buffer follows the folder on screen, so it holds it also when the user
// cancels later.
void OnFolderShown(HWND dialog, FolderChooser* chooser) {
    OPENFILENAMEA& record = chooser->record;
    SendMessageA(dialog, CDM_GETFOLDERPATH, record.nMaxFile, reinterpret_cast<LPARAM>(record.lpstrFile));
    SetNameBox(dialog, record.lpstrFile);
}

bool OnFileOk(HWND dialog, FolderChooser* chooser) {
    char* path = chooser->record.lpstrFile;
    if (!ReadChosenPath(dialog, path, chooser->record.nMaxFile)) {
        return false;  // too long for the caller's buffer
    }
    chooser::StripFolderMarker(path);
    DWORD attributes = GetFileAttributesA(path);
    DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
    chooser::PathStatus status = attributes == INVALID_FILE_ATTRIBUTES     ? chooser::PathStatus::kMissing
                                 : (attributes & FILE_ATTRIBUTE_DIRECTORY) ? chooser::PathStatus::kFolder
                                                                           : chooser::PathStatus::kFile;
    chooser::FolderVerdict verdict = chooser::JudgeFolderChoice(path, status, error, chooser->extraFlags);
    if (verdict == chooser::FolderVerdict::kShowFolder) {
        SetNameBox(dialog, path);
    }
    return verdict == chooser::FolderVerdict::kAccept;
}

}  // namespace

namespace {

HMODULE commonDialogs = nullptr;

// The common dialogs' library is loaded when a chooser first opens, not when
// the program starts: with what it pulls in, it is a good part of a start,
// and most runs never browse. It stays loaded.
BOOL ShowCommonChooser(bool save, OPENFILENAMEA* record) {
    using Chooser = BOOL(WINAPI*)(OPENFILENAMEA*);
    if (commonDialogs == nullptr)
        commonDialogs = LoadLibraryA("comdlg32.dll");
    FARPROC entry = commonDialogs != nullptr
                        ? GetProcAddress(commonDialogs, save ? "GetSaveFileNameA" : "GetOpenFileNameA")
                        : nullptr;
    return entry != nullptr && reinterpret_cast<Chooser>(reinterpret_cast<void*>(entry))(record);
}

}  // namespace

int ChooseFile(DWORD extraFlags,
               char* path,
               int mode,
               HWND owner,
               const char* title,
               const char* filter,
               int pathSize) {
    size_t limit = chooser::PathLimit(pathSize);
    size_t before = chooser::AppendChooserPattern(path, limit, mode);
    if (mode != chooser::kModeFolder && mode != chooser::kModeOpen && mode != chooser::kModeSave) {
        return 0;
    }
    char prepared[chooser::kMaxPath];
    memcpy(prepared, path, strlen(path) + 1);

    FolderChooser chooser;
    memset(&chooser, 0, sizeof chooser);
    OPENFILENAMEA& record = chooser.record;
    record.lStructSize = kRecordSize;
    record.hwndOwner = owner;
    record.lpstrFile = path;
    record.nMaxFile = static_cast<DWORD>(limit);
    record.lpstrTitle = title;
    if (mode == chooser::kModeFolder) {
        record.lpstrFilter = kFolderFilter;
        record.lpfnHook = FolderChooserHook;
        record.Flags = kFolderFlags;
        record.lCustData = reinterpret_cast<LPARAM>(&chooser);
        chooser.extraFlags = extraFlags;
    } else {
        record.lpstrFilter = filter;
        record.Flags = extraFlags | OFN_ENABLESIZING | OFN_EXPLORER;
    }
    BOOL accepted = ShowCommonChooser(mode == chooser::kModeSave, &record);
    if (!accepted && strcmp(path, prepared) == 0) {
        path[before] = '\0';  // the pattern was ours, not a choice
    }
    return accepted;
}

UINT_PTR CALLBACK FolderChooserHook(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) {
        return 0;
    }
    const OFNOTIFYA* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    FolderChooser* chooser = ChooserOf(notify->lpOFN);
    HWND dialog = GetParent(window);
    if (chooser == nullptr) {
        return 0;
    }
    switch (notify->hdr.code) {
        case CDN_INITDONE:
            OnInitDone(dialog, chooser);
            break;
        case CDN_SELCHANGE:
        case CDN_FOLDERCHANGE:
            OnFolderShown(dialog, chooser);
            break;
        case CDN_FILEOK:
            if (!OnFileOk(dialog, chooser)) {
                SetWindowLongPtrA(window, DWLP_MSGRESULT, 1);
                return 1;
            }
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CALLBACK FolderChooserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FolderChooser* chooser = ChooserOf(reinterpret_cast<OPENFILENAMEA*>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    if (chooser == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
        // "(.)" makes the name no folder, so the dialog confirms it instead
        // of opening it; the hook's CDN_FILEOK takes the marker off again.
        OPENFILENAMEA& record = chooser->record;
        if (ReadChosenPath(window, record.lpstrFile, record.nMaxFile)) {
            chooser::AppendFolderMarker(record.lpstrFile, record.nMaxFile);
            SetNameBox(window, record.lpstrFile);
        }
    }
    return CallWindowProcA(chooser->previous, window, message, wParam, lParam);
}
