#pragma once
// A tiny floating-point RGBA canvas for the generators of the shipped
// pictures. Shapes are given by signed distances (negative inside, in pixels)
// and painted with one pixel of anti-aliasing, composited "over".

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace raster {

// Straight (not premultiplied) color, channels 0..1.
struct Color {
    float r = 0, g = 0, b = 0, a = 0;
};

inline Color Rgb(int r, int g, int b, float a = 1.0f) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

inline Color Mix(const Color& x, const Color& y, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

inline float Coverage(float distance) {
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

inline float CircleDistance(float x, float y, float cx, float cy, float radius) {
    return std::hypot(x - cx, y - cy) - radius;
}

// A ring between two radii.
inline float RingDistance(float x, float y, float cx, float cy, float inner, float outer) {
    const float d = std::hypot(x - cx, y - cy);
    return std::max(inner - d, d - outer);
}

// A stroke from a to b with round ends, halfWidth either side of the segment.
inline float SegmentDistance(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy)) - halfWidth;
}

// A stroke from a to b with square ends.
inline float BarDistance(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
    const float dx = bx - ax, dy = by - ay;
    const float len = std::hypot(dx, dy);
    const float ux = dx / len, uy = dy / len;
    const float along = (x - ax) * ux + (y - ay) * uy;
    const float across = std::fabs(-(x - ax) * uy + (y - ay) * ux);
    return std::max({-along, along - len, across - halfWidth});
}

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Drawing units per pixel: at 2 a picture laid out for 100 x 50 units is
    // drawn sharp on a 200 x 100 canvas by the same drawing code.
    void SetScale(float scale) { scale_ = scale; }
    float Scale() const { return scale_; }

    // Paints colorAt(x, y) wherever distance(x, y) says, both taken at pixel
    // centers, inside the box [x0, x1) x [y0, y1) (clipped to the canvas).
    // Coordinates and distances are in drawing units.
    template <typename Distance, typename ColorAt>
    void Fill(float x0, float y0, float x1, float y1, Distance distance, ColorAt colorAt) {
        const int left = std::max(0, static_cast<int>(std::floor(x0 * scale_)) - 1);
        const int top = std::max(0, static_cast<int>(std::floor(y0 * scale_)) - 1);
        const int right = std::min(width_, static_cast<int>(std::ceil(x1 * scale_)) + 1);
        const int bottom = std::min(height_, static_cast<int>(std::ceil(y1 * scale_)) + 1);
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const float px = (x + 0.5f) / scale_, py = (y + 0.5f) / scale_;
                const float cover = Coverage(distance(px, py) * scale_);
                if (cover > 0)
                    Over(x, y, colorAt(px, py), cover);
            }
        }
    }

    template <typename Distance>
    void Fill(float x0, float y0, float x1, float y1, Distance distance, const Color& color) {
        Fill(x0, y0, x1, y1, distance, [&](float, float) { return color; });
    }

    void Over(int x, int y, const Color& c, float coverage) {
        Premultiplied& p = pixels_[static_cast<size_t>(y) * width_ + x];
        const float a = c.a * coverage;
        p.r = c.r * a + p.r * (1 - a);
        p.g = c.g * a + p.g * (1 - a);
        p.b = c.b * a + p.b * (1 - a);
        p.a = a + p.a * (1 - a);
    }

    void Set(int x, int y, const Color& c) {
        pixels_[static_cast<size_t>(y) * width_ + x] = {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
    }

    Color At(int x, int y) const {
        const Premultiplied& p = pixels_[static_cast<size_t>(y) * width_ + x];
        if (p.a <= 0)
            return {};
        return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
    }

    // Straight 8-bit channels of a pixel, in the order B, G, R, A.
    void Bgra(int x, int y, uint8_t out[4]) const {
        const Color c = At(x, y);
        out[0] = ToByte(c.b);
        out[1] = ToByte(c.g);
        out[2] = ToByte(c.r);
        out[3] = ToByte(c.a);
    }

    static uint8_t ToByte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

private:
    struct Premultiplied {
        float r = 0, g = 0, b = 0, a = 0;
    };
    int width_;
    int height_;
    float scale_ = 1;
    std::vector<Premultiplied> pixels_;
};

// Appends little-endian integers to a byte buffer (for file headers).
inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Writes the canvas as a 24-bit Windows bitmap. Pixels the canvas left fully
// transparent take cutBgr when it is given (a face's cut color), else stay as
// drawn.
inline bool WriteBitmap24(const std::string& path, const Canvas& c, const uint8_t* cutBgr = nullptr) {
    const uint32_t stride = (3 * c.Width() + 3) & ~3u;
    const uint32_t imageSize = stride * c.Height();
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    Put32(out, 40);
    Put32(out, c.Width());
    Put32(out, c.Height());  // bottom-up rows
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = c.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.Width(); ++x) {
            uint8_t bgra[4];
            c.Bgra(x, y, bgra);
            if (cutBgr && bgra[3] == 0)
                bgra[0] = cutBgr[0], bgra[1] = cutBgr[1], bgra[2] = cutBgr[2];
            out.insert(out.end(), bgra, bgra + 3);
        }
        out.resize(out.size() + (stride - 3 * c.Width()), 0);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace raster
