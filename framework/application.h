#pragma once
// The base of the process's one application object. Its constructor makes it
// the object the entry function runs.

#include <windows.h>

class Application {
public:
    Application();
    virtual int init(const char* commandLine, int showCommand);
    virtual int exit(int code);
    // With a main window: an ordinary message loop until the quit message.
    virtual int run(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand);
    // Stops a poll timer that still runs when the process ends.
    virtual ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
};

extern Application* application;
