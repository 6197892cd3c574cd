#include "win/readable_file_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer, n);
}

TEST(IsReadableFile, OnlyRegularFilesMayBeOpened) {
    const std::string folder = TempFolder();
    const std::string file = folder + "tavix-readable.png";
    FILE* created = std::fopen(file.c_str(), "wb");
    ASSERT_NE(created, nullptr);
    std::fclose(created);
    const struct {
        std::string path;
        bool readable, deviceOrFolder;
    } cases[] = {
        {file, true, false},
        {folder, false, true},
        {folder + "tavix-no-such-file.png", false, false},
        {"", false, false},
        {"COM1", false, true},  // devices, never asked for their attributes
        {folder + "com1.png", false, true},
        {folder + "NUL", false, true},
        {"\\\\.\\COM1", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsReadableFile(c.path), c.readable) << c.path;
        EXPECT_EQ(IsDeviceOrFolder(c.path), c.deviceOrFolder) << c.path;
    }
    ::DeleteFileA(file.c_str());
}

}  // namespace
