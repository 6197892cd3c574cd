#pragma once
// A small floating-point canvas for drawing the shipped pictures: shapes given
// by signed distance functions (negative inside, in pixels), which makes every
// edge anti-aliased over one pixel; premultiplied layers composited source-over;
// Gaussian blur for soft shadows; saved as 8-bit RGBA PNG.

#include "tools/png_write.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace canvas {

struct Color {
    float r = 0, g = 0, b = 0, a = 1;  // straight (not premultiplied), 0 to 1
};

inline Color Hex(unsigned rgb, float alpha = 1) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

inline Color Mix(const Color& x, const Color& y, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

struct Vec {
    float x = 0, y = 0;
};

inline Vec operator-(Vec p, Vec q) {
    return {p.x - q.x, p.y - q.y};
}
inline Vec operator+(Vec p, Vec q) {
    return {p.x + q.x, p.y + q.y};
}
inline Vec operator*(Vec p, float s) {
    return {p.x * s, p.y * s};
}
inline float Dot(Vec p, Vec q) {
    return p.x * q.x + p.y * q.y;
}
inline float Length(Vec p) {
    return std::sqrt(Dot(p, p));
}

// ---- Signed distances ----------------------------------------------------

inline float Circle(Vec p, Vec center, float radius) {
    return Length(p - center) - radius;
}

inline float Ring(Vec p, Vec center, float inner, float outer) {
    const float d = Length(p - center);
    return std::max(inner - d, d - outer);
}

// A stroke from a to b with round ends.
inline float Capsule(Vec p, Vec a, Vec b, float radius) {
    const Vec pa = p - a, ba = b - a;
    const float h = std::clamp(Dot(pa, ba) / Dot(ba, ba), 0.0f, 1.0f);
    return Length(pa - ba * h) - radius;
}

// A stroke that narrows from radius ra at a to rb at b, round at both ends.
inline float TaperedCapsule(Vec p, Vec a, Vec b, float ra, float rb) {
    // Work in the frame where a is the origin and b lies on the positive y axis.
    const Vec ab = b - a;
    const float len = Length(ab);
    const Vec dir = ab * (1.0f / len);
    const Vec q = p - a;
    const float y = Dot(q, dir);
    const float x = std::fabs(q.x * dir.y - q.y * dir.x);
    const float bb = (ra - rb) / len;
    const float aa = std::sqrt(std::max(0.0f, 1.0f - bb * bb));
    const float k = -x * bb + y * aa;  // along the common tangent's normal
    if (k < 0)
        return std::sqrt(x * x + y * y) - ra;
    if (k > aa * len)
        return std::sqrt(x * x + (y - len) * (y - len)) - rb;
    return x * aa + y * bb - ra;
}

// A convex or concave polygon, vertices in order.
inline float Polygon(Vec p, const std::vector<Vec>& v) {
    float d = Dot(p - v[0], p - v[0]);
    float s = 1;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const Vec e = v[j] - v[i], w = p - v[i];
        const Vec b = w - e * std::clamp(Dot(w, e) / Dot(e, e), 0.0f, 1.0f);
        d = std::min(d, Dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            s = -s;
    }
    return s * std::sqrt(d);
}

// A box of half sizes (hx, hy) and corner radius r around center, turned by angle.
inline float RoundedBox(Vec p, Vec center, float hx, float hy, float r, float angle = 0) {
    const Vec q0 = p - center;
    const float c = std::cos(angle), s = std::sin(angle);
    const Vec q{std::fabs(c * q0.x + s * q0.y) - hx + r, std::fabs(-s * q0.x + c * q0.y) - hy + r};
    const Vec outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return Length(outside) + std::min(std::max(q.x, q.y), 0.0f) - r;
}

// ---- Canvas ----------------------------------------------------------------

class Canvas {
public:
    // A canvas of width x height units with `density` pixels to the unit:
    // shapes, blurs and offsets are given in units, so the same drawing made
    // at density 3 is the picture at three times the size, drawn as finely.
    Canvas(int width, int height, int density = 1)
        : width_(width * density),
          height_(height * density),
          density_(density),
          px_(static_cast<size_t>(width_) * height_ * 4, 0) {}

    // Sizes in pixels.
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Paints color(p) wherever distance(p) < 0, with one pixel of soft edge
    // (or `soft` pixels), over what is there.
    template <typename Distance, typename Paint>
    void Fill(Distance distance, Paint color, float soft = 1.0f) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const Vec p = Unit(x, y);
                const float coverage = std::clamp(0.5f - distance(p) * density_ / soft, 0.0f, 1.0f);
                if (coverage <= 0)
                    continue;
                Over(x, y, color(p), coverage);
            }
        }
    }

    template <typename Distance>
    void FillSolid(Distance distance, const Color& color, float soft = 1.0f) {
        Fill(
            distance, [&](Vec) { return color; }, soft);
    }

    // Source-over of a whole layer of the same density, shifted by (dx, dy)
    // whole units, scaled by opacity.
    void Composite(const Canvas& layer, float opacity = 1, int dx = 0, int dy = 0) {
        dx *= density_;
        dy *= density_;
        for (int y = 0; y < height_; ++y) {
            const int sy = y - dy;
            if (sy < 0 || sy >= layer.height_)
                continue;
            for (int x = 0; x < width_; ++x) {
                const int sx = x - dx;
                if (sx < 0 || sx >= layer.width_)
                    continue;
                const float* s = &layer.px_[(static_cast<size_t>(sy) * layer.width_ + sx) * 4];
                float* d = &px_[(static_cast<size_t>(y) * width_ + x) * 4];
                const float keep = 1 - s[3] * opacity;
                for (int i = 0; i < 4; ++i)
                    d[i] = s[i] * opacity + d[i] * keep;
            }
        }
    }

    // The layer's shape in one color: the start of a shadow.
    Canvas Silhouette(const Color& color) const {
        Canvas out(width_ / density_, height_ / density_, density_);
        for (size_t i = 0; i < px_.size(); i += 4) {
            const float a = px_[i + 3] * color.a;
            out.px_[i] = color.r * a;
            out.px_[i + 1] = color.g * a;
            out.px_[i + 2] = color.b * a;
            out.px_[i + 3] = a;
        }
        return out;
    }

    void Blur(float sigma) {
        sigma *= density_;
        const int radius = static_cast<int>(std::ceil(sigma * 3));
        std::vector<float> kernel(2 * radius + 1);
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += kernel[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
        for (float& k : kernel)
            k /= sum;
        BlurPass(kernel, radius, 1, 0);
        BlurPass(kernel, radius, 0, 1);
    }

    // Multiplies every pixel's alpha (and premultiplied color) by mask(p) in 0..1.
    template <typename MaskFunction>
    void Mask(MaskFunction mask) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const float m = std::clamp(mask(Unit(x, y)), 0.0f, 1.0f);
                float* d = &px_[(static_cast<size_t>(y) * width_ + x) * 4];
                for (int i = 0; i < 4; ++i)
                    d[i] *= m;
            }
        }
    }

    Color At(int x, int y) const {
        const float* s = &px_[(static_cast<size_t>(y) * width_ + x) * 4];
        if (s[3] <= 0)
            return {0, 0, 0, 0};
        return {s[0] / s[3], s[1] / s[3], s[2] / s[3], s[3]};
    }

    PngImage ToImage() const {
        PngImage image;
        image.width = width_;
        image.height = height_;
        image.rows.resize(px_.size());
        for (size_t i = 0; i < px_.size(); i += 4) {
            const float a = std::clamp(px_[i + 3], 0.0f, 1.0f);
            const auto byte = [](float v) {
                return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
            };
            image.rows[i + 3] = byte(a);
            // Fully transparent pixels are stored as transparent black.
            for (int c = 0; c < 3; ++c)
                image.rows[i + c] = image.rows[i + 3] ? byte(px_[i + c] / a) : 0;
        }
        return image;
    }

    bool Save(const std::string& path) const { return WritePng(path, ToImage()); }

private:
    // The middle of pixel (x, y) in units.
    Vec Unit(int x, int y) const { return {(x + 0.5f) / density_, (y + 0.5f) / density_}; }

    void Over(int x, int y, const Color& c, float coverage) {
        float* d = &px_[(static_cast<size_t>(y) * width_ + x) * 4];
        const float a = c.a * coverage;
        const float keep = 1 - a;
        d[0] = c.r * a + d[0] * keep;
        d[1] = c.g * a + d[1] * keep;
        d[2] = c.b * a + d[2] * keep;
        d[3] = a + d[3] * keep;
    }

    void BlurPass(const std::vector<float>& kernel, int radius, int stepX, int stepY) {
        std::vector<float> out(px_.size(), 0);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                float acc[4] = {0, 0, 0, 0};
                for (int k = -radius; k <= radius; ++k) {
                    const int sx = x + k * stepX, sy = y + k * stepY;
                    if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_)
                        continue;
                    const float* s = &px_[(static_cast<size_t>(sy) * width_ + sx) * 4];
                    for (int i = 0; i < 4; ++i)
                        acc[i] += s[i] * kernel[k + radius];
                }
                std::copy_n(acc, 4, &out[(static_cast<size_t>(y) * width_ + x) * 4]);
            }
        }
        px_.swap(out);
    }

    int width_;
    int height_;
    int density_;
    std::vector<float> px_;  // premultiplied R, G, B, A
};

}  // namespace canvas
