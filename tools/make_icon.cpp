// Draws the application icon, tavix.ico: a clock face at 16, 20, 24, 32, 48
// and 256 pixels (the small icon at 100, 125, 150 and 200 % display scale),
// 32-bit with alpha (and an AND mask for older readers). Each size is drawn on
// its own so that the small ones keep only what stays legible.

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

constexpr float kPi = 3.14159265f;

float Smooth(float edge0, float edge1, float v) {
    const float t = std::clamp((v - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

Canvas DrawIcon(int size) {
    Canvas c(size, size);
    const float s = static_cast<float>(size);
    const bool tiny = size <= 16;
    // At 16 pixels the middle sits on a pixel center, so that the marks stay one pixel sharp.
    const float cx = tiny ? 7.5f : s / 2, cy = cx;
    const float outer = tiny ? 7.5f : s / 2 - s * 0.045f;
    const float rim = tiny ? 1.6f : s * 0.075f;
    const float face = outer - rim;
    auto radius = [=](float x, float y) { return std::hypot(x - cx, y - cy); };

    if (!tiny) {
        // A soft shadow below the clock.
        const float blur = s * 0.035f, drop = s * 0.018f;
        c.Fill(
            0, 0, s, s, [=](float x, float y) { return std::hypot(x - cx, y - cy - drop) - outer - blur; },
            [=](float x, float y) {
                const float d = std::hypot(x - cx, y - cy - drop) - outer;
                return Rgb(0, 0, 0, 0.45f * Smooth(blur, -blur, d));
            });
    }
    // Rim, lit from the upper left.
    c.Fill(
        0, 0, s, s, [=](float x, float y) { return radius(x, y) - outer; },
        [=](float x, float y) {
            const float d = std::max(radius(x, y), 0.01f);
            const float light = (-(x - cx) * 0.45f - (y - cy) * 0.89f) / d;
            const Color base = Rgb(50, 56, 68);
            return light > 0 ? raster::Mix(base, Rgb(120, 130, 146), light)
                             : raster::Mix(base, Rgb(22, 25, 31), -light);
        });
    // Dial.
    c.Fill(
        0, 0, s, s, [=](float x, float y) { return radius(x, y) - face; },
        [=](float x, float y) {
            const float t = radius(x, y) / face;
            return raster::Mix(Rgb(255, 254, 250), Rgb(222, 218, 208), t * t);
        });

    // Hour marks: four at the small sizes, twelve from 32 pixels.
    const Color ink = Rgb(34, 38, 46);
    const int marks = size < 32 ? 4 : 12;
    for (int i = 0; i < marks; ++i) {
        const float a = i * 2 * kPi / marks;
        const float r0 = face * (tiny ? 0.68f : (i % (marks / 4) == 0 ? 0.70f : 0.78f)), r1 = face * 0.93f;
        const float ax = cx + r0 * std::sin(a), ay = cy - r0 * std::cos(a);
        const float bx = cx + r1 * std::sin(a), by = cy - r1 * std::cos(a);
        const float half = tiny ? 0.5f : std::max(0.55f, s * (i % (marks / 4) == 0 ? 0.026f : 0.017f));
        c.Fill(
            0, 0, s, s, [=](float x, float y) { return raster::BarDistance(x, y, ax, ay, bx, by, half); }, ink);
    }

    // Hands at ten past ten, the second hand at 35 seconds.
    auto hand = [&](float turns, float length, float tail, float half, const Color& color) {
        const float a = turns * 2 * kPi;
        const float dx = std::sin(a), dy = -std::cos(a);
        const float ax = cx - tail * dx, ay = cy - tail * dy;
        const float bx = cx + length * dx, by = cy + length * dy;
        c.Fill(
            0, 0, s, s, [=](float x, float y) { return raster::SegmentDistance(x, y, ax, ay, bx, by, half); }, color);
    };
    hand((10 + 10 / 60.0f) / 12, face * 0.55f, 0, tiny ? 0.7f : s * 0.036f, ink);
    hand(10 / 60.0f, face * 0.80f, tiny ? 0 : face * 0.10f, tiny ? 0.55f : s * 0.026f, ink);
    const Color red = Rgb(200, 32, 40);
    if (!tiny)
        hand(35 / 60.0f, face * 0.86f, face * 0.2f, std::max(0.45f, s * 0.008f), red);
    const float cap = tiny ? 0.9f : std::max(1.2f, s * 0.04f);
    c.Fill(
        0, 0, s, s, [=](float x, float y) { return radius(x, y) - cap; }, tiny ? ink : red);
    return c;
}

// One icon image as stored in an .ico file: header (height doubled for the
// AND mask), bottom-up BGRA rows with straight alpha, then the AND mask.
std::vector<uint8_t> IconImage(const Canvas& c) {
    const int w = c.Width(), h = c.Height();
    const uint32_t maskStride = ((w + 31) / 32) * 4;
    std::vector<uint8_t> out;
    raster::Put32(out, 40);
    raster::Put32(out, w);
    raster::Put32(out, 2 * h);
    raster::Put16(out, 1);
    raster::Put16(out, 32);
    raster::Put32(out, 0);  // BI_RGB
    raster::Put32(out, w * h * 4 + maskStride * h);
    for (int i = 0; i < 4; ++i)
        raster::Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            uint8_t bgra[4];
            c.Bgra(x, y, bgra);
            if (bgra[3] == 0)
                bgra[0] = bgra[1] = bgra[2] = 0;
            out.insert(out.end(), bgra, bgra + 4);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < w; ++x) {
            uint8_t bgra[4];
            c.Bgra(x, y, bgra);
            if (bgra[3] == 0)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool WriteIcon(const std::string& path, const std::vector<int>& sizes) {
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes)
        images.push_back(IconImage(DrawIcon(size)));
    std::vector<uint8_t> out;
    raster::Put16(out, 0);
    raster::Put16(out, 1);  // icon
    raster::Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const uint8_t side = sizes[i] >= 256 ? 0 : static_cast<uint8_t>(sizes[i]);  // 0 stands for 256
        out.push_back(side);
        out.push_back(side);
        out.push_back(0);  // no palette
        out.push_back(0);
        raster::Put16(out, 1);
        raster::Put16(out, 32);
        raster::Put32(out, static_cast<uint32_t>(images[i].size()));
        raster::Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon <outdir>\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    const std::string path = (std::filesystem::path(argv[1]) / "tavix.ico").string();
    if (!WriteIcon(path, {16, 20, 24, 32, 48, 256})) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
