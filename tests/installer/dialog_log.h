#pragma once
// Shared by the installer tests and the scratch installer they start: each
// markup dialog is read as the user sees it and answered as a user would, and
// the shell's "open" requests land in one record file instead of on a screen.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/markup_dialog/dialog_driver.h"
#include "tests/support/message_boxes.h"

namespace installer_testing {

struct DialogSeen {
    std::string caption;
    int icon = 0;         // the stock icon number shown, 0 for none, -1 for another icon
    std::string buttons;  // labels joined by '|'
    std::string message;
    std::string field;  // the text of the data field or the browse field
    int checks = 0;     // check boxes 0 to 15 as ticked when the dialog opened
    bool defaultEnabled = false;
    size_t boxesBefore = 0;  // message boxes answered before it opened

    std::string Summary() const;  // caption, icon, buttons and message in one line
};

// Answers, one per dialog in order:
//   "ok"       Enter
//   "esc"      Escape
//   "agree"    tick the agreement box, then Enter
//   "untick"   untick both option boxes, then Enter
//   "folder:P" choose folder P through the browse field's chooser, then Enter
std::vector<markup_testing::Step> AnswerDialogs(const std::vector<std::string>& answers,
                                                std::vector<DialogSeen>* seen,
                                                const testing_support::MessageBoxRecorder* boxes);

// One line per dialog, tab-separated, and back.
std::string Encode(const DialogSeen& dialog);
bool Decode(const std::string& line, DialogSeen* dialog);

// The file where the stand-in handlers note what the shell was asked to open.
std::string RecordFile();
void AppendRecord(const std::string& line);
std::vector<std::string> ReadLines(const std::string& path);

std::string FolderOf(const std::string& path);
std::string ModulePath();

}  // namespace installer_testing
