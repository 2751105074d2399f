#pragma once
// The shell's special folders that the popup menu offers, in menu order.

constexpr int kSpecialFolderRows = 29;
constexpr unsigned char kSpecialSeparator = 0xFF;

struct SpecialFolder {
    unsigned char csidl;  // a CSIDL_ value, or kSpecialSeparator
    const char* text;
};

extern const SpecialFolder SpecialFolderTable[kSpecialFolderRows];

// Copies row `row`'s text into `text` (64 bytes) and returns 1 when the
// folder exists on this system, else 0.
int GetSpecialFolderName(int row, char* text);
