#include "util/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kKey[] = "SOFTWARE\\TapdeckTests\\Scratch";
constexpr char kParent[] = "SOFTWARE\\TapdeckTests";
const HKEY kRoot = HKEY_LOCAL_MACHINE;

TEST(Registry, RoundTripAndFailures) {
    RegDeleteKeyA(kRoot, kKey);
    // clang-format off
    const struct { const char* name; std::string value; DWORD size; } writes[] = {  // the first creates the key
        {"DisplayName", "Tapdeck 1.0", 12}, {"Forty", std::string(39, 'x'), 40}, {"Bare", "abcd", 4}, {"Empty", "", 0}};  // Bare without its terminator
    const struct { const char *subKey, *name; DWORD type, size; int result; const char* text; } reads[] = {  // a failed string read leaves ""
        {kKey, "DisplayName", REG_SZ, 64, 0, "Tapdeck 1.0"}, {kKey, "Bare", REG_SZ, 8, 0, "abcd"}, {kKey, "Empty", REG_SZ, 8, 0, ""},
        {kKey, "Forty", REG_SZ, 32, 2, ""}, {kKey, "Bare", REG_SZ, 4, 2, ""}, {kKey, "Missing", REG_SZ, 32, 2, ""},  // too small, no room for the terminator
        {kKey, "Forty", REG_DWORD, 4, 3, nullptr}, {kKey, "Forty", REG_EXPAND_SZ, 64, 3, ""}, {"SOFTWARE\\TapdeckTests\\Absent", "Forty", REG_SZ, 32, 1, ""}};
    // clang-format on
    for (const auto& row : writes)
        ASSERT_EQ(RegWriteValue(kKey, kRoot, row.name, REG_SZ, row.value.c_str(), row.size), 0) << row.name;
    char text[64];
    for (const auto& row : reads) {
        memset(text, 'z', sizeof text);
        EXPECT_EQ(RegReadValue(row.subKey, kRoot, row.type, row.name, text, row.size), row.result) << row.name;
        EXPECT_TRUE(row.text == nullptr || std::string(text) == row.text) << row.name;
    }
    // An opened key as the root, with a null or empty sub-key, stays open.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(kRoot, kKey, 0, KEY_READ | KEY_WRITE, &key), ERROR_SUCCESS);
    DWORD number = 7;
    EXPECT_EQ(RegWriteValue(nullptr, key, "Count", REG_DWORD, &number, sizeof number), 0);
    number = 0;
    EXPECT_EQ(RegReadValue("", key, REG_DWORD, "Count", &number, sizeof number) + number, 7u);
    EXPECT_EQ(RegReadValue(nullptr, key, REG_SZ, "DisplayName", text, sizeof text), 0);
    RegCloseKey(key);

    EXPECT_EQ(RegDeleteEntry(kRoot, "DisplayName", kKey), 0);
    EXPECT_EQ(RegReadValue(kKey, kRoot, REG_SZ, "DisplayName", text, sizeof text), 2);
    EXPECT_EQ(RegDeleteEntry(kRoot, "DisplayName", kKey), 1);
    EXPECT_EQ(RegDeleteEntry(kRoot, "", kKey), 0);  // the key itself, not its parent
    EXPECT_NE(RegOpenKeyExA(kRoot, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(kRoot, kParent, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteEntry(kRoot, nullptr, kKey) + RegDeleteEntry(kRoot, nullptr, nullptr), 2);  // never a root key
    RegDeleteKeyA(kRoot, kParent);
}

}  // namespace
