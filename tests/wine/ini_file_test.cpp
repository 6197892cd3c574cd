#include "render/ini_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string TempIniPath() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "tavix_ini_file_test.INI";
}

}  // namespace

TEST(IniFile, ReadsSectionSettingsWithLimitsAndFallbacks) {
    const std::string path = TempIniPath();
    {
        FILE* f = std::fopen(path.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fprintf(f,
                     "[Other]\nCenterX=1\n[Settings]\nCenterX=99\nCutColor=16711935\nDateFont=%s\nHourPNG=hour.png\n",
                     std::string(70, 'F').c_str());
        std::fclose(f);
    }
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInt("CenterX", 5), 99);
    EXPECT_EQ(ini.ReadInt("CutColor", 255), 16711935);
    EXPECT_EQ(ini.ReadInt("Missing", 42), 42);
    EXPECT_EQ(ini.ReadString("DateFont", "Arial", 49), std::string(49, 'F'));
    EXPECT_EQ(ini.ReadString("HourPNG", "", 259), "hour.png");
    EXPECT_EQ(ini.ReadString("Missing", "Arial", 49), "Arial");

    PresetSettings s;
    ReadCenters(ini, 200, 150, s);
    EXPECT_EQ(s.CenterX, 99);
    EXPECT_EQ(s.CenterY, 75);
    DeleteFileA(path.c_str());

    IniFile missing(path);
    EXPECT_EQ(missing.ReadInt("CenterX", 100), 100);
    EXPECT_EQ(missing.ReadString("AMPMFont", "Times New Roman", 49), "Times New Roman");
}

// The 8-bit profile reader refuses a path of MAX_PATH characters or more; a
// preset in a folder that deep still has its settings, and leaves no copy behind.
TEST(IniFile, ReadsAPresetInAFolderDeeperThanMaxPath) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // The folder stays within MAX_PATH, as a program folder must; the file's
    // whole path does not.
    std::string folder = std::string(temp) + "tavix-deep";
    std::vector<std::string> made;
    for (;;) {
        CreateDirectoryA(folder.c_str(), nullptr);
        made.push_back(folder);
        if (folder.size() + 41 >= MAX_PATH - 12)
            break;
        folder += "\\a-rather-long-folder-name-for-the-clock";
    }
    const std::string path = folder + "\\" + std::string(MAX_PATH - folder.size(), 'D') + ".INI";
    ASSERT_GE(path.size(), size_t{MAX_PATH});
    const std::wstring widePath = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    {
        HANDLE file = CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write " << path;
        const char text[] = "[Settings]\r\nImageScale=300\r\nDateFont=Tahoma\r\n";
        DWORD written = 0;
        WriteFile(file, text, sizeof text - 1, &written, nullptr);
        CloseHandle(file);
    }

    const auto tempFiles = [&] {
        WIN32_FIND_DATAA found;
        int count = 0;
        HANDLE h = FindFirstFileA((std::string(temp) + "tvx*.tmp").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do
                ++count;
            while (FindNextFileA(h, &found));
            FindClose(h);
        }
        return count;
    };
    const int before = tempFiles();
    {
        IniFile ini(path);
        EXPECT_EQ(ini.ReadInt("ImageScale", 100), 300);
        EXPECT_EQ(ini.ReadString("DateFont", "Arial", 49), "Tahoma");
    }
    EXPECT_EQ(tempFiles(), before);

    DeleteFileW(widePath.c_str());
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryA(it->c_str());
}
