// Draws the about box's picture, about.bmp: 330 x 130 pixels, 24 bits, and the
// same drawn at 1.5x and 2x for 150 and 200 % displays (about_150.bmp,
// about_200.bmp). The product's name and version, a small clock, and the link
// text, which must lie inside the area the about box answers to (x 121..269,
// y 46..62 at 1x).

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tools/raster.h"
#include "tools/stroke_font.h"

using raster::Canvas;
using raster::Color;
using raster::Rgb;

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 130;
constexpr float kPi = 3.14159265f;
// The link area, both ends included.
constexpr float kLinkLeft = 121, kLinkTop = 46, kLinkRight = 269, kLinkBottom = 62;

void DrawBackground(Canvas& c) {
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            const float t = static_cast<float>(y) / c.Height();
            c.Set(x, y, raster::Mix(Rgb(38, 52, 82), Rgb(18, 24, 38), t));
        }
    }
}

void DrawClock(Canvas& c) {
    const float cx = 60, cy = 65, outer = 48, rim = 5;
    c.Fill(
        cx - outer, cy - outer, cx + outer, cy + outer,
        [=](float x, float y) { return raster::CircleDistance(x, y, cx, cy, outer); }, Rgb(84, 96, 118));
    c.Fill(
        cx - outer, cy - outer, cx + outer, cy + outer,
        [=](float x, float y) { return raster::CircleDistance(x, y, cx, cy, outer - rim); },
        [=](float, float y) { return raster::Mix(Rgb(250, 248, 240), Rgb(222, 218, 206), (y - cy + 43) / 86); });
    for (int i = 0; i < 12; ++i) {
        const float a = i * kPi / 6;
        const float inner = i % 3 == 0 ? 32 : 36;
        const float ax = cx + std::sin(a) * inner, ay = cy - std::cos(a) * inner;
        const float bx = cx + std::sin(a) * 40, by = cy - std::cos(a) * 40;
        c.Fill(
            std::min(ax, bx) - 3, std::min(ay, by) - 3, std::max(ax, bx) + 3, std::max(ay, by) + 3,
            [=](float x, float y) { return raster::BarDistance(x, y, ax, ay, bx, by, i % 3 == 0 ? 1.6f : 0.9f); },
            Rgb(40, 44, 56));
    }
    // Ten past ten.
    auto hand = [&](float turns, float length, float halfWidth, const Color& colour) {
        const float a = turns * 2 * kPi;
        const float bx = cx + std::sin(a) * length, by = cy - std::cos(a) * length;
        c.Fill(
            cx - length - 3, cy - length - 3, cx + length + 3, cy + length + 3,
            [=](float x, float y) { return raster::SegmentDistance(x, y, cx, cy, bx, by, halfWidth); }, colour);
    };
    hand((10 + 10 / 60.0f) / 12, 22, 2.4f, Rgb(30, 34, 44));
    hand(10 / 60.0f, 33, 1.7f, Rgb(30, 34, 44));
    hand(40 / 60.0f, 36, 0.7f, Rgb(196, 48, 40));
    c.Fill(
        cx - 4, cy - 4, cx + 4, cy + 4, [=](float x, float y) { return raster::CircleDistance(x, y, cx, cy, 3); },
        Rgb(196, 48, 40));
}

// False when the link text does not fit its area.
bool DrawTexts(Canvas& c) {
    stroke_font::Draw(c, "Tavix", 124, 8, 4.4f, 1.7f, Rgb(255, 255, 255));

    // The link: as large as fits the area with a pixel to spare on each side.
    const std::string link = "Visit the web site";
    const float unit = std::min(1.65f, (kLinkRight - kLinkLeft - 4) / stroke_font::Measure(link));
    const float left = kLinkLeft + 2;
    const float top = kLinkTop + 2;
    const float right = stroke_font::Draw(c, link, left, top, unit, 0.65f, Rgb(132, 190, 255));
    const float underline = top + 6 * unit + 2.5f;
    c.Fill(
        left - 1, underline - 2, right + 1, underline + 2,
        [=](float x, float y) { return raster::BarDistance(x, y, left, underline, right, underline, 0.5f); },
        Rgb(132, 190, 255));
    const bool fits = left - 1 >= kLinkLeft && right + 1 <= kLinkRight && underline + 1 <= kLinkBottom;

    stroke_font::Draw(c, std::string("Version ") + TAVIX_VERSION_TEXT, 124, 76, 1.45f, 0.6f, Rgb(196, 204, 218));
    stroke_font::Draw(c, "Desktop clock", 124, 96, 1.45f, 0.6f, Rgb(196, 204, 218));
    return fits;
}

bool WriteBitmap(const std::string& path, const Canvas& c) {
    return raster::WriteBitmap24(path, c);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_about <outdir>\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    const struct {
        int percent;
        const char* name;
    } pictures[] = {{100, "about.bmp"}, {150, "about_150.bmp"}, {200, "about_200.bmp"}};
    for (const auto& picture : pictures) {
        Canvas canvas(kWidth * picture.percent / 100, kHeight * picture.percent / 100);
        canvas.SetScale(picture.percent / 100.0f);
        DrawBackground(canvas);
        DrawClock(canvas);
        if (!DrawTexts(canvas)) {
            std::fprintf(stderr, "make_about: the link text leaves the area the about box answers to\n");
            return 1;
        }
        const std::string path = (std::filesystem::path(argv[1]) / picture.name).string();
        if (!WriteBitmap(path, canvas)) {
            std::fprintf(stderr, "make_about: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
