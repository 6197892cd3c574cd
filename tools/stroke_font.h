#pragma once
// A small stroke font for the texts on our generated pictures: each glyph is
// a few polylines on a grid 6 units high from the cap line to the baseline
// (the x-height is 4 units, descenders reach 2 units below the baseline).
// Only the letters our pictures use are drawn; others advance as a blank.

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tools/raster.h"

namespace stroke_font {

struct Pt {
    float x, y;
};
using Stroke = std::vector<Pt>;

struct Glyph {
    float width = 2;
    std::vector<Stroke> strokes;
};

// An elliptical arc from a0 to a1 degrees, counterclockwise as on paper
// (0 at the right, 90 at the top).
inline Stroke Arc(float cx, float cy, float rx, float ry, float a0, float a1) {
    Stroke s;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const float a = (a0 + (a1 - a0) * i / steps) * 3.14159265f / 180.0f;
        s.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    }
    return s;
}

inline Glyph GlyphOf(char c) {
    const Stroke bowl = Arc(1.75f, 4, 1.75f, 2, 0, 360);
    const Stroke hump = {{0, 3}, {0.8f, 2.2f}, {2, 2}, {2.8f, 2.4f}, {3.2f, 3.2f}, {3.2f, 6}};
    switch (c) {
        case 'T':
            return {4, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}};
        case 'D': {
            Stroke round = Arc(1.6f, 3, 2.4f, 3, 90, -90);
            round.insert(round.begin(), {0, 0});
            round.push_back({0, 6});
            return {4, {{{0, 0}, {0, 6}}, round}};
        }
        case 'V':
            return {4, {{{0, 0}, {2, 6}, {4, 0}}}};
        case 'a':
            return {3.5f, {bowl, {{3.5f, 2}, {3.5f, 6}}}};
        case 'b':
            return {3.5f, {bowl, {{0, 0}, {0, 6}}}};
        case 'c':
            return {3.4f, {Arc(1.75f, 4, 1.75f, 2, 40, 320)}};
        case 'e': {
            Stroke round = Arc(1.75f, 4, 1.75f, 2, 0, 315);
            round.insert(round.begin(), {0, 4});
            return {3.5f, {round}};
        }
        case 'h':
            return {3.2f, {{{0, 0}, {0, 6}}, hump}};
        case 'i':
            return {1, {{{0.5f, 2}, {0.5f, 6}}, {{0.5f, 0.55f}, {0.5f, 0.6f}}}};
        case 'k':
            return {3.2f, {{{0, 0}, {0, 6}}, {{3, 2}, {0, 4.5f}}, {{1.2f, 3.6f}, {3.2f, 6}}}};
        case 'l':
            return {1, {{{0.5f, 0}, {0.5f, 6}}}};
        case 'n':
            return {3.2f, {{{0, 2}, {0, 6}}, hump}};
        case 'o':
            return {3.5f, {bowl}};
        case 'p':
            return {3.5f, {bowl, {{0, 2}, {0, 8}}}};
        case 'r':
            return {2.6f, {{{0, 2}, {0, 6}}, {{0, 3.2f}, {0.8f, 2.3f}, {1.8f, 2}, {2.6f, 2.2f}}}};
        case 's':
            return {3.4f,
                    {{{3.2f, 2.5f},
                      {2.5f, 2},
                      {1, 2},
                      {0.2f, 2.6f},
                      {0.4f, 3.5f},
                      {1.75f, 4},
                      {3.1f, 4.5f},
                      {3.3f, 5.4f},
                      {2.5f, 6},
                      {1, 6},
                      {0.1f, 5.5f}}}};
        case 't':
            return {2.4f, {{{1, 0.8f}, {1, 5.3f}, {1.5f, 6}, {2.4f, 6}}, {{0, 2}, {2.4f, 2}}}};
        case 'v':
            return {3.5f, {{{0, 2}, {1.75f, 6}, {3.5f, 2}}}};
        case 'w':
            return {4.8f, {{{0, 2}, {1.2f, 6}, {2.4f, 2.8f}, {3.6f, 6}, {4.8f, 2}}}};
        case 'x':
            return {3.2f, {{{0, 2}, {3.2f, 6}}, {{3.2f, 2}, {0, 6}}}};
        case '0':
            return {3.2f, {Arc(1.6f, 3, 1.6f, 3, 0, 360)}};
        case '1':
            return {2.4f, {{{0.4f, 1.2f}, {1.8f, 0}, {1.8f, 6}}}};
        case '.':
            return {0.8f, {{{0.4f, 5.95f}, {0.4f, 6}}}};
        default:
            return {2, {}};
    }
}

constexpr float kSpacing = 1.3f;

// Width of a text in grid units.
inline float Measure(const std::string& text) {
    float width = 0;
    for (size_t i = 0; i < text.size(); ++i)
        width += GlyphOf(text[i]).width + (i + 1 < text.size() ? kSpacing : 0);
    return width;
}

// Draws a text with its cap line at `top`, `unit` pixels per grid unit and
// strokes `halfWidth` pixels either side of the line; returns the right edge.
inline float Draw(raster::Canvas& canvas,
                  const std::string& text,
                  float left,
                  float top,
                  float unit,
                  float halfWidth,
                  const raster::Color& colour) {
    float x = left;
    for (char c : text) {
        const Glyph g = GlyphOf(c);
        for (const Stroke& s : g.strokes) {
            float x0 = std::numeric_limits<float>::max(), y0 = x0, x1 = -x0, y1 = -x0;
            for (const Pt& p : s) {
                x0 = std::min(x0, x + p.x * unit), x1 = std::max(x1, x + p.x * unit);
                y0 = std::min(y0, top + p.y * unit), y1 = std::max(y1, top + p.y * unit);
            }
            const float pad = halfWidth + 1;
            canvas.Fill(
                x0 - pad, y0 - pad, x1 + pad, y1 + pad,
                [&](float px, float py) {
                    float d = std::numeric_limits<float>::max();
                    for (size_t i = 0; i + 1 < s.size(); ++i) {
                        d = std::min(
                            d, raster::SegmentDistance(px, py, x + s[i].x * unit, top + s[i].y * unit,
                                                       x + s[i + 1].x * unit, top + s[i + 1].y * unit, halfWidth));
                    }
                    return d;
                },
                colour);
        }
        x += (g.width + kSpacing) * unit;
    }
    return x - kSpacing * unit;
}

}  // namespace stroke_font
