// The program's pictures for scaled displays: an icon image drawn for every
// small-icon size, so the tray shows it unscaled at 100 to 200 %, and the
// about picture at 1x, 1.5x and 2x.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "res/resource.h"

namespace {

TEST(AppIcon, HasAnImageForEverySmallIconSize) {
    HMODULE self = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(self, MAKEINTRESOURCEA(IDI_TAVIX), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const uint8_t*>(::LockResource(::LoadResource(self, found)));
    ASSERT_NE(group, nullptr);
    // The group's header (3 words), then 14 bytes an entry, the width first (0 for 256).
    const int count = group[4] | group[5] << 8;
    std::set<int> sides;
    for (int i = 0; i < count; ++i)
        sides.insert(group[6 + 14 * i] == 0 ? 256 : group[6 + 14 * i]);
    for (int side : {16, 20, 24, 32, 48})
        EXPECT_TRUE(sides.count(side)) << side;

    // The metric the tray icon is loaded by finds its own image.
    const int small = ::GetSystemMetrics(SM_CXSMICON);
    HICON icon = static_cast<HICON>(::LoadImageA(self, MAKEINTRESOURCEA(IDI_TAVIX), IMAGE_ICON, small, small, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, small);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
}

TEST(AboutPicture, DrawnForEachDisplayScale) {
    const struct {
        int id, width, height;
    } pictures[] = {{IDB_ABOUT, 330, 130}, {IDB_ABOUT_150, 495, 195}, {IDB_ABOUT_200, 660, 260}};
    for (const auto& p : pictures) {
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(p.id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(bitmap, nullptr) << p.id;
        BITMAP info = {};
        ::GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, p.width);
        EXPECT_EQ(info.bmHeight, p.height);
        ::DeleteObject(bitmap);
    }
}

}  // namespace
