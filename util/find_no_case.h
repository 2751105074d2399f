#pragma once

// Finds the first place in `text` where `pattern` occurs, comparing bytes with
// bit 0x20 set in both: ASCII letters match without regard to case, and so do
// other pairs that differ only in that bit ('\\' and '|', '[' and '{').
// An empty pattern matches at the start. Returns null when nothing matches.
const char* FindNoCase(const char* text, const char* pattern);
