#include "util/module_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Resolve(const char* module, const char* name, size_t size = 256) {
    char out[512];
    return ResolveBesideModule(module, name, out, size) ? std::string(out) : std::string("<fail>");
}

TEST(ResolveBesideModule, OneBackslashAfterTheMarkIsOptional) {
    EXPECT_EQ(Resolve("C:\\Apps\\tapdeck.exe", ">readme.txt"), "C:\\Apps\\readme.txt");
    EXPECT_EQ(Resolve("C:\\Apps\\tapdeck.exe", ">\\readme.txt"), "C:\\Apps\\readme.txt");
    EXPECT_EQ(Resolve("C:\\Apps\\tapdeck.exe", ">\\\\x"), "C:\\Apps\\\\x");  // only one is dropped
    EXPECT_EQ(Resolve("C:\\Apps\\tapdeck.exe", ">0\\tapdeck.dat"), "C:\\Apps\\0\\tapdeck.dat");
    EXPECT_EQ(Resolve("C:\\tapdeck.exe", ">"), "C:\\");
}

TEST(ResolveBesideModule, RefusesWhatItCannotResolveWhole) {
    EXPECT_EQ(Resolve("C:\\Apps\\tapdeck.exe", "readme.txt"), "<fail>");  // no mark
    EXPECT_EQ(Resolve("tapdeck.exe", ">readme.txt"), "<fail>");           // no folder
    // "C:\Apps\" is 8 bytes: with "ab" and the terminator 11 bytes are needed.
    EXPECT_EQ(Resolve("C:\\Apps\\t.exe", ">ab", 11), "C:\\Apps\\ab");
    EXPECT_EQ(Resolve("C:\\Apps\\t.exe", ">abc", 11), "<fail>");
    char out[1] = {'x'};
    EXPECT_FALSE(ResolveBesideModule("C:\\t.exe", ">a", out, sizeof out));
    EXPECT_EQ(out[0], '\0');
}

}  // namespace
