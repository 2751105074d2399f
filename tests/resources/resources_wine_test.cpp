// The program's resources as the system loads them from its own module.

#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct CursorShape {
    LONG width = 0;
    LONG height = 0;  // of the colour image
    DWORD hotX = 0;
    DWORD hotY = 0;
    bool isIcon = true;
};

CursorShape ShapeOf(int id) {
    CursorShape shape;
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    EXPECT_NE(cursor, nullptr) << "cursor " << id;
    ICONINFO info{};
    if (cursor == nullptr || !GetIconInfo(cursor, &info)) {
        ADD_FAILURE() << "no icon info for cursor " << id;
        return shape;
    }
    shape.isIcon = info.fIcon != FALSE;
    shape.hotX = info.xHotspot;
    shape.hotY = info.yHotspot;
    BITMAP bitmap{};
    EXPECT_NE(info.hbmColor, nullptr) << "cursor " << id << " should be a colour cursor";
    if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        shape.width = bitmap.bmWidth;
        shape.height = bitmap.bmHeight;
    }
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return shape;
}

TEST(Resources, DragCursorsAre32SquareWithHotSpotInTheMiddle) {
    for (int id : {1006, 1007}) {
        CursorShape shape = ShapeOf(id);
        EXPECT_FALSE(shape.isIcon) << id;
        EXPECT_EQ(shape.width, 32) << id;
        EXPECT_EQ(shape.height, 32) << id;
        EXPECT_EQ(shape.hotX, 15u) << id;
        EXPECT_EQ(shape.hotY, 15u) << id;
    }
}

TEST(Resources, IconGroupIsNamedAndHoldsBothSizes) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(self, "IDI_ICON1", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    HGLOBAL loaded = LoadResource(self, group);
    ASSERT_NE(loaded, nullptr);
    auto* bits = static_cast<BYTE*>(LockResource(loaded));
    for (int size : {32, 16}) {
        int id = LookupIconIdFromDirectoryEx(bits, TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(id, 0) << size;
        HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
        ASSERT_NE(image, nullptr) << size;
        auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(self, image)));
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour image above its mask
        EXPECT_EQ(header->biBitCount, 4);
    }
}

}  // namespace
