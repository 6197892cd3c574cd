#include "core/safe_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NamesDevice, RecognisesDevicesWhereverWindowsDoes) {
    const struct {
        std::string path;
        bool device;
    } cases[] = {
        {"COM1", true},
        {"com1.lng", true},
        {"C:\\Tavix\\Presets\\COM1.png", true},
        {"C:\\Tavix\\Sounds\\com9.tar.gz", true},
        {"lpt1", true},
        {"LPT9.bmp", true},
        {"con", true},
        {"PRN.INI", true},
        {"Aux.dll", true},
        {"nul", true},
        {"NUL .png", true},
        {"COM1:", true},
        {"C:com1", true},
        {"CONIN$", true},
        {"conout$.txt", true},
        {"COM\xB9.png", true},
        {"Presets/com2.png", true},
        {"\\\\.\\COM1", true},
        {"\\\\.\\PhysicalDrive0", true},
        {"\\\\?\\C:\\Tavix\\Presets\\Original.png", true},
        {"\\??\\C:\\x.png", true},
        {"//./pipe/x", true},
        // Names that only look like devices are ordinary files.
        {"COM0.png", false},
        {"COM10.png", false},
        {"LPT.png", false},
        {"console.lng", false},
        {"nul2", false},
        {"com1x.png", false},
        {"C:\\COM1\\Original.png", false},
        {"C:\\Tavix\\Presets\\Original.png", false},
        {"\\\\server\\share\\face.png", false},
        {"english.lng", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NamesDevice(c.path), c.device) << c.path;
}

}  // namespace
