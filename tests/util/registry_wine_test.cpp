#include "util/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kKey[] = "SOFTWARE\\TapdeckTests\\Scratch";
constexpr char kParent[] = "SOFTWARE\\TapdeckTests";
const HKEY kRoot = HKEY_LOCAL_MACHINE;

bool KeyExists(const char* path) {
    HKEY key;
    bool exists = RegOpenKeyExA(kRoot, path, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists)
        RegCloseKey(key);
    return exists;
}

int WriteString(const char* name, const char* value, DWORD size) {
    return RegWriteValue(kKey, kRoot, name, REG_SZ, value, size);
}

TEST(Registry, RoundTripAndFailures) {
    RegDeleteKeyA(kRoot, kKey);
    ASSERT_EQ(WriteString("DisplayName", "Tapdeck 1.0", 12), 0);  // creates the key
    ASSERT_EQ(WriteString("Forty", std::string(39, 'x').c_str(), 40), 0);
    ASSERT_EQ(WriteString("Bare", "abcd", 4), 0);  // stored without its terminator
    ASSERT_EQ(WriteString("Empty", "", 0), 0);
    char text[64];
    EXPECT_EQ(RegReadValue(kKey, kRoot, REG_SZ, "DisplayName", text, sizeof text), 0);
    EXPECT_STREQ(text, "Tapdeck 1.0");
    EXPECT_EQ(RegReadValue(kKey, kRoot, REG_SZ, "Bare", text, 8), 0);
    EXPECT_STREQ(text, "abcd");
    EXPECT_EQ(RegReadValue(kKey, kRoot, REG_SZ, "Empty", text, 8), 0);
    EXPECT_STREQ(text, "");

    // An opened key as the root, with a null or empty sub-key, stays open.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(kRoot, kKey, 0, KEY_READ | KEY_WRITE, &key), ERROR_SUCCESS);
    DWORD number = 7;
    EXPECT_EQ(RegWriteValue(nullptr, key, "Count", REG_DWORD, &number, sizeof number), 0);
    number = 0;
    EXPECT_EQ(RegReadValue("", key, REG_DWORD, "Count", &number, sizeof number), 0);
    EXPECT_EQ(number, 7u);
    EXPECT_EQ(RegReadValue(nullptr, key, REG_SZ, "DisplayName", text, sizeof text), 0);
    RegCloseKey(key);

    const struct {
        const char* subKey;
        const char* name;
        DWORD type;
        DWORD size;
        int result;
    } rows[] = {
        {kKey, "Forty", REG_SZ, 32, 2},                                           // does not fit
        {kKey, "Bare", REG_SZ, 4, 2},                                             // no room for the terminator
        {kKey, "Missing", REG_SZ, 32, 2},      {kKey, "Forty", REG_DWORD, 4, 3},  // another type, whatever its size
        {kKey, "Forty", REG_EXPAND_SZ, 64, 3}, {"SOFTWARE\\TapdeckTests\\Absent", "Forty", REG_SZ, 32, 1},
    };
    for (const auto& row : rows) {
        memset(text, 'z', sizeof text);
        EXPECT_EQ(RegReadValue(row.subKey, kRoot, row.type, row.name, text, row.size), row.result) << row.name;
        EXPECT_TRUE(row.type == REG_DWORD || text[0] == '\0') << row.name;  // a failed string read leaves ""
    }

    EXPECT_EQ(RegDeleteEntry(kRoot, "DisplayName", kKey), 0);
    EXPECT_EQ(RegReadValue(kKey, kRoot, REG_SZ, "DisplayName", text, sizeof text), 2);
    EXPECT_EQ(RegDeleteEntry(kRoot, "DisplayName", kKey), 1);
    EXPECT_EQ(RegDeleteEntry(kRoot, "", kKey), 0);  // the key itself, not its parent
    EXPECT_FALSE(KeyExists(kKey));
    EXPECT_TRUE(KeyExists(kParent));
    EXPECT_EQ(RegDeleteEntry(kRoot, nullptr, kKey), 1);
    EXPECT_EQ(RegDeleteEntry(kRoot, nullptr, nullptr), 1);  // never a root key
    RegDeleteKeyA(kRoot, kParent);
}

}  // namespace
