#pragma once
// Two small faces written for the frame tests: a PNG face with an opacity
// that varies from pixel to pixel and an image hand, and a bitmap face cut out
// by its cut color, each with its .INI file.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/wine/bitmap_file_win.h"
#include "tools/png_write.h"

constexpr int kTestFace = 80;

// A face whose opacity runs from clear at the top left to opaque, colors that
// change from pixel to pixel, and an image hand of its own that narrows toward
// its tip inside clear pixels.
inline void WritePngFace(const std::string& folder) {
    PngImage face;
    face.width = kTestFace;
    face.height = kTestFace;
    for (int y = 0; y < kTestFace; ++y)
        for (int x = 0; x < kTestFace; ++x)
            face.rows.insert(face.rows.end(),
                             {static_cast<uint8_t>(x * 3), static_cast<uint8_t>(y * 3),
                              static_cast<uint8_t>((x * y) & 0xFF), static_cast<uint8_t>(std::min(255, (x + y) * 2))});
    ASSERT_TRUE(WritePng(folder + "face.png", face));
    PngImage hand;
    hand.width = 30;
    hand.height = 7;
    for (int y = 0; y < hand.height; ++y)
        for (int x = 0; x < hand.width; ++x) {
            const bool clear = std::abs(y - 3) > 3 - x / 10;
            hand.rows.insert(hand.rows.end(), {200, 40, static_cast<uint8_t>(x * 8),
                                               static_cast<uint8_t>(clear    ? 0
                                                                    : y == 3 ? 255
                                                                             : 128)});
        }
    ASSERT_TRUE(WritePng(folder + "hand.png", hand));
    std::ofstream(folder + "face.INI") << "[Settings]\n"
                                          "CenterX=40\nCenterY=40\n"
                                          "HourColor=255\nHourLength=22\nHourWidth=4\nHourLap=5\n"
                                          "MinutePNG=hand.png\nMinutePNGCenterDist=14\n"
                                          "SecondColor=16711680\nSecondLength=37\nSecondWidth=1\nSecondLap=9\n"
                                          "AMPMCenterX=40\nAMPMCenterY=60\nAMPMFontSize=11\nAMPMColor=0\n"
                                          "DateCenterX=40\nDateCenterY=22\nDateFontSize=9\nDateColor=32768\n";
}

// A bitmap face cut out by its cut color along the left edge.
inline void WriteBitmapFace(const std::string& folder) {
    const int stride = BitmapStride24(kTestFace);
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * kTestFace);
    for (int y = 0; y < kTestFace; ++y)
        for (int x = 0; x < kTestFace; ++x) {
            uint8_t* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
            const bool cut = x < 6;
            p[0] = cut ? 0 : static_cast<uint8_t>(255 - x);
            p[1] = cut ? 0 : static_cast<uint8_t>(128 + y);
            p[2] = cut ? 255 : static_cast<uint8_t>(x + y);
        }
    WriteBitmapFile24(folder + "other.bmp", kTestFace, kTestFace, pixels);
    std::ofstream(folder + "other.INI") << "[Settings]\n"
                                           "CenterX=38\nCenterY=41\n"
                                           "HourColor=255\nHourLength=20\nHourWidth=6\n"
                                           "MinuteColor=65280\nMinuteLength=33\nMinuteWidth=3\nMinuteLap=4\n"
                                           "SecondColor=16711680\nSecondLength=39\nSecondWidth=2\n"
                                           "AMPMCenterX=30\nAMPMCenterY=62\nAMPMFontSize=13\n"
                                           "DateCenterX=44\nDateCenterY=18\nDateFontSize=10\n";
}
