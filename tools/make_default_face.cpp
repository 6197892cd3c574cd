// Draws the shipped fallback clock face, Presets/default.bmp: a 24-bit Windows
// bitmap whose outside is exactly the cut color (pure red), so that the
// window region cuts it away. Its settings are data/Presets/default.INI.
//
// The region is binary, so the face's outer edge is not blended into the red:
// a pixel belongs either to the dark rim or to the cut color.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/raster.h"

using raster::Canvas;
using raster::Color;
using raster::Rgb;

namespace {

constexpr int kSize = 200;
constexpr float kCenter = 100.5f;  // the middle of pixel (100, 100): CenterX = CenterY = 99
constexpr float kOuter = 98.0f;
constexpr float kBevel = 93.0f;
constexpr float kFace = 88.5f;
constexpr float kPi = 3.14159265f;

float Radius(float x, float y) {
    return std::hypot(x - kCenter, y - kCenter);
}

// How much a point of the rim faces the light from the upper left (-1..1).
float Light(float x, float y) {
    const float d = std::max(Radius(x, y), 1.0f);
    return (-(x - kCenter) * 0.45f - (y - kCenter) * 0.89f) / d;
}

Color RimColor(float x, float y) {
    const Color base = Rgb(54, 59, 68), high = Rgb(132, 140, 152), low = Rgb(20, 22, 27);
    // The outer bevel rises toward the light, the inner one falls away from it.
    const float l = Radius(x, y) > kBevel ? Light(x, y) : -0.7f * Light(x, y);
    return l > 0 ? raster::Mix(base, high, l) : raster::Mix(base, low, -l);
}

Color FaceColor(float x, float y) {
    const float t = Radius(x, y) / kFace;
    const Color center = Rgb(252, 250, 246), edge = Rgb(224, 220, 211);
    Color c = raster::Mix(center, edge, t * t);
    // A faint sheen from the top.
    return raster::Mix(c, Rgb(255, 255, 255), 0.12f * std::max(0.0f, -(y - kCenter) / kFace));
}

// The point at radius r in the direction of minute mark i (0 at 12 o'clock).
void AtMark(int i, float r, float& x, float& y) {
    const float a = i * kPi / 30.0f;
    x = kCenter + r * std::sin(a);
    y = kCenter - r * std::cos(a);
}

void Draw(Canvas& c) {
    const float lo = kCenter - kOuter - 1, hi = kCenter + kOuter + 1;
    // The rim as a hard-edged disc: every pixel whose center lies inside the circle.
    c.Fill(
        lo, lo, hi, hi, [](float x, float y) { return Radius(x, y) <= kOuter ? -1.0f : 1.0f; }, RimColor);
    // A darker outline on the outer edge keeps the stair steps quiet against any desktop.
    c.Fill(
        lo, lo, hi, hi, [](float x, float y) { return raster::RingDistance(x, y, kCenter, kCenter, 96.6f, 99.0f); },
        Rgb(18, 20, 24, 0.85f));
    c.Fill(
        lo, lo, hi, hi, [](float x, float y) { return raster::CircleDistance(x, y, kCenter, kCenter, kFace); },
        FaceColor);
    // The rim's shadow on the face, deepest below the lit upper left edge.
    c.Fill(
        lo, lo, hi, hi, [](float x, float y) { return raster::RingDistance(x, y, kCenter, kCenter, 78.0f, kFace); },
        [](float x, float y) {
            const float depth = std::clamp((Radius(x, y) - 80.0f) / (kFace - 80.0f), 0.0f, 1.0f);
            return Rgb(40, 36, 30, 0.22f * depth * depth * (0.55f + 0.45f * Light(x, y)));
        });
    c.Fill(
        lo, lo, hi, hi, [](float x, float y) { return raster::RingDistance(x, y, kCenter, kCenter, 85.2f, 86.0f); },
        Rgb(120, 122, 128, 0.7f));

    for (int i = 0; i < 60; ++i) {
        float ax, ay, bx, by;
        if (i % 5) {
            AtMark(i, 79.5f, ax, ay);
            AtMark(i, 85.0f, bx, by);
            c.Fill(
                std::min(ax, bx) - 2, std::min(ay, by) - 2, std::max(ax, bx) + 2, std::max(ay, by) + 2,
                [=](float x, float y) { return raster::SegmentDistance(x, y, ax, ay, bx, by, 0.55f); },
                Rgb(92, 97, 108));
            continue;
        }
        const bool quarter = i % 15 == 0;
        AtMark(i, quarter ? 64.0f : 69.0f, ax, ay);
        AtMark(i, 85.0f, bx, by);
        const Color mark = Rgb(36, 40, 48);
        if (i == 0) {
            // Twelve o'clock: a pair of bars.
            for (float offset : {-3.2f, 3.2f}) {
                c.Fill(
                    ax + offset - 4, by - 2, ax + offset + 4, ay + 2,
                    [=](float x, float y) { return raster::BarDistance(x, y, ax + offset, ay, bx + offset, by, 1.9f); },
                    mark);
            }
            continue;
        }
        c.Fill(
            std::min(ax, bx) - 4, std::min(ay, by) - 4, std::max(ax, bx) + 4, std::max(ay, by) + 4,
            [=](float x, float y) { return raster::BarDistance(x, y, ax, ay, bx, by, quarter ? 2.3f : 1.7f); }, mark);
    }
}

bool WriteBitmap(const std::string& path, const Canvas& c) {
    // Outside the face: exactly the cut color.
    static const uint8_t kCutBgr[3] = {0, 0, 255};
    return raster::WriteBitmap24(path, c, kCutBgr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_default_face <outdir>\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "Presets";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    Canvas canvas(kSize, kSize);
    Draw(canvas);
    const std::string path = (folder / "default.bmp").string();
    if (!WriteBitmap(path, canvas)) {
        std::fprintf(stderr, "make_default_face: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
