#include "render/ini_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

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
