#pragma once
// The process's application object. Its `init` decides once per start what
// the process does (uninstall, install, or run the launcher) and the whole
// life of the process runs inside it.

#include "app/launcher_window.h"
#include "framework/application.h"

class LauncherApp : public Application {
public:
    // Always 1: the entry function then never runs the base loop.
    int init(const char* commandLine, int showCommand) override;

    LauncherWindow window;
    // The process's exit code: 0, or 1 when the launcher could not start.
    int exitCode = 0;
};

// Creates the launcher window and runs it until Quit (or, without folder 0,
// asks whether to reinstall); then ends it. Returns the exit code: 0, or 1
// when the window could not be created, which the user is told.
int RunLauncher(LauncherWindow* window);

// Destroys the launcher window, with any list it still holds, and then the
// fallback icon.
void EndLauncher(LauncherWindow* window);

// Runs the installation, prepares folder 0 of the new installation with its
// two explanatory shortcuts, starts the installed copy when asked to, and
// reports the outcome.
void SetUpFolderZero();
