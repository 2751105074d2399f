#pragma once

// Every path the program builds fits this many bytes, terminator included.
constexpr int kPathSize = 256;
