// Draws the shipped presets into <outdir>/Presets: the clock faces and their
// hand images. Their settings files live beside them in data/Presets; the
// CenterX/CenterY and *PNGCenterDist values there must follow the geometry here.

#include "tools/png_canvas.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace canvas;

constexpr float kPi = 3.14159265f;

// Every face and hand is drawn at three times its size, and its settings file
// says so (ImageScale=300, every coordinate tripled): the clock reduces it to
// the size it shows, so it stays sharp up to a 300 % display.
constexpr int kDensity = 3;

// A point at radius r from center, at a clock position given in minutes (0 = 12 o'clock).
Vec Dial(Vec center, float r, float minutes) {
    const float a = minutes / 60.0f * 2 * kPi;
    return {center.x + r * std::sin(a), center.y - r * std::cos(a)};
}

// The face of a clock drawn on an even-sized square: its center lies between the
// four middle pixels. The hands turn about the point (CenterX + 1, CenterY + 1)
// of the picture, so CenterX = CenterY = 3 x size / 2 - 1 at the 3x density.
Vec FaceCenter(int size) {
    return {size / 2.0f, size / 2.0f};
}

// A soft shadow of everything drawn on `shape`, put under it onto `target`.
void DropShadow(Canvas& target, const Canvas& shape, float sigma, float opacity, int dx, int dy) {
    Canvas shadow = shape.Silhouette(Hex(0x000000, opacity));
    shadow.Blur(sigma);
    target.Composite(shadow, 1, dx, dy);
}

// ---- Hand images ---------------------------------------------------------------

// A hand image lies towards 3 o'clock. Its width and height are odd; the pivot
// sits in the middle row at column `pivot`, so the settings file's CenterDist is
// width / 2 - pivot (integer division), tripled at the 3x density.
struct HandLayout {
    int width;
    int height;
    int pivot;
    int CenterDist() const { return width / 2 - pivot; }
};

// Turns hand coordinates (x along the hand from the pivot, y across) into image ones.
struct HandFrame {
    HandLayout layout;
    Vec operator()(float along, float across) const {
        return {layout.pivot + 0.5f + along, layout.height / 2 + 0.5f + across};
    }
};

// A hand picture: the shapes drawn by `draw`, then a soft halo below them that
// looks the same at every angle the image is turned to.
template <typename Draw>
bool SaveHand(const std::string& path, const HandLayout& layout, float haloSigma, float haloOpacity, Draw draw) {
    Canvas hand(layout.width, layout.height, kDensity);
    draw(hand, HandFrame{layout});
    Canvas out(layout.width, layout.height, kDensity);
    DropShadow(out, hand, haloSigma, haloOpacity, 0, 0);
    out.Composite(hand);
    return out.Save(path);
}

// A tapered baton with a faint lighter ridge along its upper half.
void Baton(Canvas& c, const HandFrame& f, float tail, float length, float base, float tip, Color color, Color ridge) {
    const Vec a = f(-tail, 0), b = f(length, 0);
    c.FillSolid([&](Vec p) { return TaperedCapsule(p, a, b, base, tip); }, color);
    c.Fill([&](Vec p) { return std::max(TaperedCapsule(p, a, b, base - 0.9f, tip - 0.6f), p.y - f(0, 0).y); },
           [&](Vec) { return ridge; });
}

// ---- Original ------------------------------------------------------------------

constexpr int kOriginalSize = 240;
constexpr float kOriginalRadius = 106;  // outer edge of the bezel
const HandLayout kOriginalHour{93, 19, 22};
const HandLayout kOriginalMinute{121, 19, 22};
const HandLayout kOriginalSecond{135, 15, 32};

bool DrawOriginalFace(const std::string& path) {
    const Vec c = FaceCenter(kOriginalSize);
    const float R = kOriginalRadius;
    const float dialR = R - 7;

    Canvas face(kOriginalSize, kOriginalSize, kDensity);
    // Bezel: dark, lit from above.
    face.Fill([&](Vec p) { return Circle(p, c, R); },
              [&](Vec p) { return Mix(Hex(0x5B6068), Hex(0x1B1D21), (p.y - (c.y - R)) / (2 * R)); });
    face.Fill([&](Vec p) { return Ring(p, c, R - 1.6f, R - 0.6f); },
              [&](Vec p) { return Mix(Hex(0xA6ABB2, 0.8f), Hex(0x3A3D42, 0.3f), (p.y - (c.y - R)) / (2 * R)); });
    // Dial: warm white, a little darker towards the rim, with a shaded inner edge.
    face.Fill([&](Vec p) { return Circle(p, c, dialR); },
              [&](Vec p) { return Mix(Hex(0xFCFBF8), Hex(0xE6E2DA), std::pow(Length(p - c) / dialR, 2.2f)); });
    {
        Canvas rim(kOriginalSize, kOriginalSize, kDensity);
        rim.FillSolid([&](Vec p) { return Ring(p, c, dialR, dialR + 8); }, Hex(0x000000, 1));
        rim.Blur(2.2f);
        rim.Mask([&](Vec p) { return std::clamp(dialR + 0.5f - Length(p - c), 0.0f, 1.0f); });
        face.Composite(rim, 0.28f, 0, 1);
    }
    // A thin lip where the dial meets the bezel, lit from below.
    face.Fill(
        [&](Vec p) { return Ring(p, c, dialR - 0.2f, dialR + 1.0f); },
        [&](Vec p) { return Mix(Hex(0x1E2024, 0.9f), Hex(0xC9CDD2, 0.9f), (p.y - (c.y - dialR)) / (2 * dialR)); });
    // Minute track: fine ticks; hour marks: batons, heavier at the quarters.
    for (int m = 0; m < 60; ++m) {
        if (m % 5 == 0)
            continue;
        const Vec a = Dial(c, dialR - 6, m), b = Dial(c, dialR - 10.5f, m);
        face.FillSolid([&](Vec p) { return Capsule(p, a, b, 0.55f); }, Hex(0x70747B));
    }
    for (int h = 0; h < 12; ++h) {
        const bool quarter = h % 3 == 0;
        const float outer = dialR - 6, inner = dialR - (quarter ? 24.0f : 20.0f);
        const float half = quarter ? 2.6f : 1.8f;
        const float angle = h * kPi / 6;
        const Vec mid = Dial(c, (outer + inner) / 2, h * 5.0f);
        face.FillSolid([&](Vec p) { return RoundedBox(p, mid, half, (outer - inner) / 2, 0.8f, angle); },
                       Hex(0x2A2D33));
    }
    Canvas out(kOriginalSize, kOriginalSize, kDensity);
    DropShadow(out, face, 4.5f, 0.42f, 0, 4);
    DropShadow(out, face, 1.2f, 0.25f, 0, 1);
    out.Composite(face);
    return out.Save(path);
}

bool DrawOriginalHands(const std::string& folder) {
    const Color ink = Hex(0x23262B), ridge = Hex(0x3C4048);
    const Color red = Hex(0xC8372D);
    bool ok = SaveHand(folder + "Original_hour.png", kOriginalHour, 1.3f, 0.45f, [&](Canvas& c, const HandFrame& f) {
        Baton(c, f, 12, 57, 5.0f, 2.9f, ink, ridge);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 6.5f); }, ink);
    });
    ok &= SaveHand(folder + "Original_minute.png", kOriginalMinute, 1.3f, 0.45f, [&](Canvas& c, const HandFrame& f) {
        Baton(c, f, 14, 86, 3.6f, 1.7f, ink, ridge);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 6.5f); }, ink);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 2.0f); }, Hex(0x55595F));
    });
    ok &= SaveHand(folder + "Original_second.png", kOriginalSecond, 1.0f, 0.35f, [&](Canvas& c, const HandFrame& f) {
        c.FillSolid([&](Vec p) { return TaperedCapsule(p, f(0, 0), f(92, 0), 1.1f, 0.7f); }, red);
        c.FillSolid([&](Vec p) { return Capsule(p, f(-24, 0), f(0, 0), 1.4f); }, red);
        c.FillSolid([&](Vec p) { return Circle(p, f(-20, 0), 4.0f); }, red);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 3.8f); }, red);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 1.3f); }, Hex(0xE9E6E0));
    });
    return ok;
}

// ---- Large: a big night-blue face with bright sword hands --------------------------

constexpr int kLargeSize = 420;
constexpr float kLargeRadius = 190;
const HandLayout kLargeHour{161, 35, 34};
const HandLayout kLargeMinute{221, 31, 34};
const HandLayout kLargeSecond{241, 25, 58};

bool DrawLargeFace(const std::string& path) {
    const Vec c = FaceCenter(kLargeSize);
    const float R = kLargeRadius;
    const float dialR = R - 13;

    Canvas face(kLargeSize, kLargeSize, kDensity);
    // Steel bezel: bright above, darker below, with a fine dark outer line.
    face.FillSolid([&](Vec p) { return Circle(p, c, R); }, Hex(0x3A3F46));
    face.Fill([&](Vec p) { return Circle(p, c, R - 1.5f); },
              [&](Vec p) { return Mix(Hex(0xE4E7EB), Hex(0x7D848D), (p.y - (c.y - R)) / (2 * R)); });
    face.Fill([&](Vec p) { return Ring(p, c, dialR + 2, dialR + 5); },
              [&](Vec p) { return Mix(Hex(0x8A9098), Hex(0xF0F2F4), (p.y - (c.y - R)) / (2 * R)); });
    face.Fill([&](Vec p) { return Circle(p, c, dialR); },
              [&](Vec p) {
                  return Mix(Hex(0x334257), Hex(0x151C26),
                             std::pow(Length(p - c + Vec{0, dialR * 0.25f}) / (dialR * 1.2f), 1.4f));
              });
    {
        Canvas rim(kLargeSize, kLargeSize, kDensity);
        rim.FillSolid([&](Vec p) { return Ring(p, c, dialR, dialR + 14); }, Hex(0x000000, 1));
        rim.Blur(4.0f);
        rim.Mask([&](Vec p) { return std::clamp(dialR + 0.5f - Length(p - c), 0.0f, 1.0f); });
        face.Composite(rim, 0.55f, 0, 2);
    }
    const Color bright = Hex(0xEEF2F6);
    for (int m = 0; m < 60; ++m) {
        if (m % 5 == 0)
            continue;
        const Vec a = Dial(c, dialR - 9, m), b = Dial(c, dialR - 17, m);
        face.FillSolid([&](Vec p) { return Capsule(p, a, b, 0.9f); }, Hex(0xAEB8C4));
    }
    // Hour indices: tapering wedges, a double one at twelve.
    const auto wedge = [&](float minutes, float offset) {
        const float a = minutes / 60.0f * 2 * kPi;
        const Vec along{std::sin(a), -std::cos(a)}, across{std::cos(a), std::sin(a)};
        const float outer = dialR - 9, inner = dialR - 44;
        const Vec o = c + along * outer + across * offset, i = c + along * inner + across * offset;
        const std::vector<Vec> shape = {o + across * 4.6f, o - across * 4.6f, i - across * 2.6f, i + across * 2.6f};
        Canvas index(kLargeSize, kLargeSize, kDensity);
        index.Fill([&](Vec p) { return Polygon(p, shape) - 0.6f; },
                   [&](Vec p) { return Mix(Hex(0xFFFFFF), Hex(0xB9C3CF), Dot(p - i, along) / (outer - inner)); });
        DropShadow(face, index, 1.5f, 0.6f, 0, 2);
        face.Composite(index);
    };
    for (int h = 1; h < 12; ++h)
        wedge(h * 5.0f, 0);
    wedge(0, -7.5f);
    wedge(0, 7.5f);
    face.FillSolid([&](Vec p) { return Circle(p, Dial(c, dialR - 58, 0), 3.2f); }, bright);

    Canvas out(kLargeSize, kLargeSize, kDensity);
    DropShadow(out, face, 7.0f, 0.45f, 0, 6);
    DropShadow(out, face, 2.0f, 0.25f, 0, 2);
    out.Composite(face);
    return out.Save(path);
}

// A sword: straight flanks from the pivot to a pointed tip, with a darker spine.
void Sword(Canvas& c, const HandFrame& f, float tail, float length, float half, Color color, Color spine) {
    const std::vector<Vec> blade = {f(-tail, -half * 0.5f), f(length - 3 * half, -half), f(length, 0),
                                    f(length - 3 * half, half), f(-tail, half * 0.5f)};
    c.FillSolid([&](Vec p) { return Polygon(p, blade) - 0.8f; }, color);
    c.FillSolid([&](Vec p) { return Capsule(p, f(half * 2, 0), f(length - 4 * half, 0), 0.7f); }, spine);
}

bool DrawLargeHands(const std::string& folder) {
    const Color white = Hex(0xF4F6F9), spine = Hex(0xB4BDC8), steel = Hex(0x7C8692);
    const Color orange = Hex(0xFF7A1A);
    bool ok = SaveHand(folder + "Large_hour.png", kLargeHour, 2.0f, 0.7f, [&](Canvas& c, const HandFrame& f) {
        Sword(c, f, 16, 104, 7.0f, white, spine);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 10.5f); }, white);
        c.FillSolid([&](Vec p) { return Ring(p, f(0, 0), 9.2f, 10.5f); }, steel);
    });
    ok &= SaveHand(folder + "Large_minute.png", kLargeMinute, 2.0f, 0.7f, [&](Canvas& c, const HandFrame& f) {
        Sword(c, f, 20, 156, 5.4f, white, spine);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 8.5f); }, white);
        c.FillSolid([&](Vec p) { return Ring(p, f(0, 0), 7.3f, 8.5f); }, steel);
    });
    ok &= SaveHand(folder + "Large_second.png", kLargeSecond, 1.6f, 0.6f, [&](Canvas& c, const HandFrame& f) {
        c.FillSolid([&](Vec p) { return TaperedCapsule(p, f(0, 0), f(164, 0), 1.8f, 1.0f); }, orange);
        c.FillSolid([&](Vec p) { return Capsule(p, f(-46, 0), f(0, 0), 2.2f); }, orange);
        c.FillSolid([&](Vec p) { return Ring(p, f(-38, 0), 3.0f, 6.5f); }, orange);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 6.5f); }, orange);
        c.FillSolid([&](Vec p) { return Circle(p, f(0, 0), 2.4f); }, Hex(0x2A3340));
    });
    return ok;
}

// ---- Classic: ivory and gold, Roman numerals, drawn hands, room for the date -------

constexpr int kClassicSize = 260;
constexpr float kClassicRadius = 120;

// Upright Roman numerals made of thick and thin strokes with hairline serifs.
float RomanNumeral(Vec p, const std::string& text, Vec center, float h) {
    const float thick = 0.085f * h, thin = 0.034f * h, serif = 0.16f * h, hair = 0.028f * h;
    const float narrow = 0.24f * h, wide = 0.62f * h, gap = 0.09f * h;
    float width = -gap;
    for (char ch : text)
        width += (ch == 'I' ? narrow : wide) + gap;
    float x = center.x - width / 2;
    const float top = center.y - h / 2, bottom = center.y + h / 2;
    const auto bar = [&](float cx, float cy, float half) { return RoundedBox(p, {cx, cy}, half, hair, hair); };
    float d = 1e9f;
    for (char ch : text) {
        if (ch == 'I') {
            const float m = x + narrow / 2;
            d = std::min({d, RoundedBox(p, {m, center.y}, thick, h / 2 - hair, 0.3f), bar(m, top + hair, serif * 0.75f),
                          bar(m, bottom - hair, serif * 0.75f)});
            x += narrow + gap;
            continue;
        }
        const float l = x + thick, r = x + wide - thick;
        if (ch == 'V') {
            const Vec tip{x + wide / 2, bottom - thick * 0.6f};
            d = std::min({d, Capsule(p, {l, top + hair}, tip, thick * 0.8f), Capsule(p, {r, top + hair}, tip, thin),
                          bar(l, top + hair, serif * 0.8f), bar(r, top + hair, serif * 0.7f)});
        } else {
            d = std::min({d, Capsule(p, {l, top + hair}, {r, bottom - hair}, thick * 0.8f),
                          Capsule(p, {r, top + hair}, {l, bottom - hair}, thin), bar(l, top + hair, serif * 0.8f),
                          bar(r, top + hair, serif * 0.7f), bar(l, bottom - hair, serif * 0.7f),
                          bar(r, bottom - hair, serif * 0.8f)});
        }
        x += wide + gap;
    }
    return d;
}

bool DrawClassicFace(const std::string& path) {
    const Vec c = FaceCenter(kClassicSize);
    const float R = kClassicRadius;
    const float dialR = R - 10;
    const Color navy = Hex(0x1F2A44);

    Canvas face(kClassicSize, kClassicSize, kDensity);
    // Gold bezel with a bright edge and a darker groove inside.
    face.Fill([&](Vec p) { return Circle(p, c, R); },
              [&](Vec p) { return Mix(Hex(0xF1DB98), Hex(0x8C6A24), (p.y - (c.y - R)) / (2 * R) * 1.1f); });
    face.Fill([&](Vec p) { return Ring(p, c, R - 4.5f, R - 3.2f); },
              [&](Vec p) { return Mix(Hex(0x7A5A1C), Hex(0xF6E4A8), (p.y - (c.y - R)) / (2 * R)); });
    face.Fill([&](Vec p) { return Circle(p, c, dialR); },
              [&](Vec p) { return Mix(Hex(0xFBF6EA), Hex(0xEADFC6), std::pow(Length(p - c) / dialR, 2.0f)); });
    {
        Canvas rim(kClassicSize, kClassicSize, kDensity);
        rim.FillSolid([&](Vec p) { return Ring(p, c, dialR, dialR + 8); }, Hex(0x3B2A08, 1));
        rim.Blur(2.4f);
        rim.Mask([&](Vec p) { return std::clamp(dialR + 0.5f - Length(p - c), 0.0f, 1.0f); });
        face.Composite(rim, 0.35f, 0, 1);
    }
    // Railway minute track between two fine circles.
    const float trackOuter = dialR - 5, trackInner = dialR - 11;
    face.FillSolid([&](Vec p) { return Ring(p, c, trackOuter - 0.45f, trackOuter + 0.45f); }, navy);
    face.FillSolid([&](Vec p) { return Ring(p, c, trackInner - 0.45f, trackInner + 0.45f); }, navy);
    for (int m = 0; m < 60; ++m) {
        const bool hour = m % 5 == 0;
        const Vec a = Dial(c, trackOuter, m), b = Dial(c, hour ? trackInner - 3 : trackInner, m);
        face.FillSolid([&](Vec p) { return Capsule(p, a, b, hour ? 1.1f : 0.5f); }, navy);
    }
    static const char* const kNumerals[12] = {"XII", "I",   "II",   "III", "IIII", "V",
                                              "VI",  "VII", "VIII", "IX",  "X",    "XI"};
    for (int h = 0; h < 12; ++h) {
        const std::string text = kNumerals[h];
        // Wide numerals sit a little further in so that they clear the track.
        const float inset = 27 + (text.size() > 2 ? 3.0f : 0.0f) * std::fabs(std::sin(h * kPi / 6));
        const Vec center = Dial(c, dialR - inset, h * 5.0f);
        face.FillSolid([&](Vec p) { return RomanNumeral(p, text, center, 17); }, navy);
    }
    // A small guilloché rosette around the pivot and the pivot's own cap.
    for (int k = 0; k < 36; ++k) {
        const float a = k * kPi / 18;
        face.FillSolid(
            [&](Vec p) {
                return Ring(p, c + Vec{std::cos(a), std::sin(a)} * 10.5f, 10.2f, 10.6f);
            },
            Hex(0xC9B88E, 0.35f));
    }
    face.FillSolid([&](Vec p) { return Circle(p, c, 4.2f); }, navy);

    Canvas out(kClassicSize, kClassicSize, kDensity);
    DropShadow(out, face, 5.0f, 0.42f, 0, 4);
    DropShadow(out, face, 1.3f, 0.25f, 0, 1);
    out.Composite(face);
    return out.Save(path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_presets <outdir>\n");
        return 2;
    }
    const std::string folder = (std::filesystem::path(argv[1]) / "Presets").string() + "/";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool ok = DrawOriginalFace(folder + "Original.png");
    ok &= DrawOriginalHands(folder);
    ok &= DrawLargeFace(folder + "Large.png");
    ok &= DrawLargeHands(folder);
    ok &= DrawClassicFace(folder + "Classic.png");
    if (!ok) {
        std::fprintf(stderr, "make_presets: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
