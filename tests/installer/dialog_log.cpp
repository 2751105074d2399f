#include "tests/installer/dialog_log.h"

#include <dlgs.h>

#include <memory>

#include "markup_dialog/markup_dialog.h"

namespace installer_testing {

using namespace markup_testing;

namespace {

struct Progress {
    HWND current = nullptr;
};

HWND Item(int id) {
    return GetDlgItem(MarkupDialog(), id);
}

HWND BrowsePart(int id) {
    return GetDlgItem(Item(401), id);
}

std::string LongText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

int StockIconNumber(HICON icon) {
    if (icon == nullptr)
        return 0;
    for (int id : {32513, 32514, 32515, 32516}) {
        if (icon == LoadIconA(nullptr, MAKEINTRESOURCEA(id)))
            return id;
    }
    return -1;
}

DialogSeen Read(HWND dialog, size_t boxes) {
    auto* state = reinterpret_cast<MarkupDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    DialogSeen seen;
    seen.caption = TextOf(dialog);
    seen.icon = StockIconNumber(state->icon);
    seen.message = state->message != nullptr ? state->message : "";
    for (int i = 0; GetDlgItem(dialog, 1000 + i) != nullptr; ++i) {
        seen.buttons += (i > 0 ? "|" : "") + TextOf(GetDlgItem(dialog, 1000 + i));
    }
    HWND field = GetDlgItem(dialog, 400);
    seen.field = LongText(field != nullptr ? field : GetDlgItem(GetDlgItem(dialog, 401), 402));
    for (int n = 0; n < 16; ++n) {
        if (SendMessageA(GetDlgItem(dialog, 500 + n), BM_GETCHECK, 0, 0) == BST_CHECKED)
            seen.checks |= 1 << n;
    }
    seen.defaultEnabled = state->defaultIndex >= 0 && IsWindowEnabled(GetDlgItem(dialog, 1000 + state->defaultIndex));
    seen.boxesBefore = boxes;
    return seen;
}

Step Do(std::function<void()> action) {
    return [action] {
        action();
        return true;
    };
}

HWND NameBox() {
    HWND chooser = CommonDialogOf(MarkupDialog());
    HWND box = GetDlgItem(chooser, edt1);
    return box != nullptr ? box : GetDlgItem(chooser, cmb13);
}

// Clicks a ticked box and waits until it shows unticked.
std::vector<Step> Untick(int id) {
    return {ClickOn(CentreOf([id] { return Item(id); })),
            [id] { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_UNCHECKED; }};
}

std::vector<Step> Answer(const std::string& answer) {
    Step enter = Do([] { PressKey(VK_RETURN); });
    if (answer == "esc")
        return {Do([] { PressKey(VK_ESCAPE); })};
    if (answer == "agree")
        return {ClickOn(CentreOf([] { return Item(515); })), [] { return IsWindowEnabled(Item(1000)) != FALSE; },
                enter};
    if (answer == "untick") {
        std::vector<Step> steps = Untick(500);
        for (const Step& step : Untick(501))
            steps.push_back(step);
        steps.push_back(enter);
        return steps;
    }
    if (answer.compare(0, 7, "folder:") == 0) {
        std::string path = answer.substr(7);
        return {ClickOn(CentreOf([] { return BrowsePart(403); })),
                [] { return NameBox() != nullptr; },
                ClickOn(CentreOf(NameBox)),
                Do([] { PressKey(VK_HOME); }),
                Do([] {
                    PressKeys({VK_SHIFT, VK_END});
                }),
                Do([path] { TypeText(path); }),
                [path] { return TextOf(NameBox()) == path; },
                enter,
                [path] { return NameBox() == nullptr && TextOf(BrowsePart(402)) == path; },
                enter};
    }
    return {enter};
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

}  // namespace

std::string DialogSeen::Summary() const {
    return caption + " | " + std::to_string(icon) + " | " + buttons + " | " + message;
}

std::vector<Step> AnswerDialogs(const std::vector<std::string>& answers,
                                std::vector<DialogSeen>* seen,
                                const testing_support::MessageBoxRecorder* boxes) {
    auto progress = std::make_shared<Progress>();
    std::vector<Step> steps;
    for (const std::string& answer : answers) {
        steps.push_back([progress, seen, boxes] {
            HWND dialog = MarkupDialog();
            // Window handles are not reused at once, so a new handle is the
            // next dialog; the answered one may linger for a moment.
            if (dialog == nullptr || dialog == progress->current)
                return false;
            if (GetForegroundWindow() != dialog) {
                SetForegroundWindow(dialog);
                return false;
            }
            progress->current = dialog;
            seen->push_back(Read(dialog, boxes->Boxes().size()));
            return true;
        });
        for (const Step& step : Answer(answer))
            steps.push_back(step);
    }
    return steps;
}

std::string Encode(const DialogSeen& d) {
    return Escape(d.caption) + "\t" + std::to_string(d.icon) + "\t" + Escape(d.buttons) + "\t" + Escape(d.message) +
           "\t" + Escape(d.field) + "\t" + std::to_string(d.checks) + "\t" + (d.defaultEnabled ? "1" : "0") + "\t" +
           std::to_string(d.boxesBefore);
}

bool Decode(const std::string& line, DialogSeen* d) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        parts.push_back(line.substr(start, tab - start));
    parts.push_back(line.substr(start));
    if (parts.size() != 8)
        return false;
    d->caption = Unescape(parts[0]);
    d->icon = atoi(parts[1].c_str());
    d->buttons = Unescape(parts[2]);
    d->message = Unescape(parts[3]);
    d->field = Unescape(parts[4]);
    d->checks = atoi(parts[5].c_str());
    d->defaultEnabled = parts[6] == "1";
    d->boxesBefore = static_cast<size_t>(atoi(parts[7].c_str()));
    return true;
}

std::string RecordFile() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "tapdeck-installer-record.txt";
}

void AppendRecord(const std::string& line) {
    std::string text = line + "\n";
    // Two recorders may write at once; the file is shared, each append whole.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = CreateFileA(RecordFile().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            CloseHandle(file);
            return;
        }
        Sleep(10);
    }
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::string contents;
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
            contents.append(chunk, got);
        CloseHandle(file);
    }
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = contents.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(contents.substr(start, end - start));
    return lines;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

std::string ModulePath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

}  // namespace installer_testing
