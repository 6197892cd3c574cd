#include "render/display_scale.h"

#include <algorithm>

#include "render/picture_limits.h"

namespace {

constexpr int kMaxZoom = 1000;
constexpr int kMaxImageScale = 1000;
// 25 % to 1000 % of the base: beyond what any monitor setting gives.
constexpr int kMinDpi = kBaseDpi / 4;
constexpr int kMaxDpi = kBaseDpi * 10;

int64_t Apply(int side, ScaleRatio r) {
    return int64_t{side} * r.num / r.den;
}

bool FitsSides(int64_t w, int64_t h, int64_t minSide) {
    return w >= minSide && h >= minSide && w <= kMaxFaceSide && h <= kMaxFaceSide;
}

}  // namespace

int SaneDpi(int dpi) {
    return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kBaseDpi;
}

int SaneImageScale(int imageScale) {
    return imageScale >= 100 && imageScale <= kMaxImageScale ? imageScale : 100;
}

int ReadImageScale(const IniSource& ini) {
    return SaneImageScale(ini.ReadInt("ImageScale", 100));
}

PresetSizes ComputeFaceSizes(int width, int height, const FaceScale& scale, int aaMethod, ScaleRatio* workRatio) {
    const int64_t dpi = SaneDpi(scale.dpi);
    const int64_t den = int64_t{kBaseDpi} * SaneImageScale(scale.imageScale);
    const bool zoomValid = scale.useZoom && scale.zoomValue >= 1 && scale.zoomValue <= kMaxZoom;

    ScaleRatio chosen{den, den};
    bool zoomed = false;
    const ScaleRatio candidates[] = {{zoomValid ? scale.zoomValue * dpi : 0, den}, {100 * dpi, den}};
    for (const ScaleRatio& r : candidates) {
        if (r.num == 0)
            continue;
        if (FitsSides(Apply(width, r), Apply(height, r), 1)) {
            chosen = r;
            zoomed = (&r == &candidates[0]) || r.num != r.den;
            break;
        }
    }

    PresetSizes s{width, height, width, height, 100, zoomed};
    if (zoomed) {
        s.windowWidth = static_cast<int>(Apply(width, chosen));
        s.windowHeight = static_cast<int>(Apply(height, chosen));
    }
    ScaleRatio work = chosen;
    const ScaleRatio doubled{2 * chosen.num, chosen.den};
    if (aaMethod != 0 && FitsSides(Apply(width, doubled), Apply(height, doubled), 0)) {
        work = doubled;
    }
    s.scale = static_cast<int>(100 * work.num / work.den);
    if (workRatio)
        *workRatio = work;
    if (aaMethod != 0 || zoomed) {
        s.workWidth = static_cast<int>(Apply(width, work));
        s.workHeight = static_cast<int>(Apply(height, work));
    }
    return s;
}

void ScaleFaceGeometry(PresetSettings& s, ScaleRatio ratio) {
    for (int* v : {&s.CenterX, &s.CenterY, &s.AMPMCenterX, &s.AMPMCenterY, &s.DateCenterX, &s.DateCenterY,
                   &s.AMPMFontSize, &s.DateFontSize}) {
        *v = ScaleByRatio(*v, ratio);
    }
}

int NominalScalePercent(ScaleRatio work, int imageScale) {
    return static_cast<int>(work.num * SaneImageScale(imageScale) / work.den);
}
