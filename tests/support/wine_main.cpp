// Entry point of every Windows test program: COM for the shell objects, and a
// message-box recorder for the whole run so that no stray box can block it.

#include <objbase.h>

#include <gtest/gtest.h>

#include "tests/support/message_boxes.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    CoInitialize(nullptr);
    int result;
    {
        testing_support::MessageBoxRecorder safetyNet;
        result = RUN_ALL_TESTS();
    }
    CoUninitialize();
    return result;
}
