#include "render/drawing_limits.h"

#include <algorithm>
#include <cstdint>

namespace {

int ClampTo(int value, int64_t low, int64_t high) {
    return static_cast<int>(std::clamp<int64_t>(value, low, high));
}

int FitSize(int value, int reach) {
    return ClampTo(value, -2 * int64_t{reach}, 2 * int64_t{reach});
}

int FitPosition(int value, int side, int reach) {
    return ClampTo(value, -int64_t{reach}, int64_t{side} + reach);
}

}  // namespace

int DrawingReach(int workWidth, int workHeight) {
    return std::max(0, workWidth) + std::max(0, workHeight);
}

DrawnHandSpec FitDrawnHand(const DrawnHandSpec& spec, int workWidth, int workHeight) {
    const int reach = DrawingReach(workWidth, workHeight);
    DrawnHandSpec fitted = spec;
    fitted.length = FitSize(spec.length, reach);
    fitted.lap = FitSize(spec.lap, reach);
    fitted.width = FitSize(spec.width, reach);
    return fitted;
}

void FitPresetGeometry(PresetSettings& s, int workWidth, int workHeight) {
    const int reach = DrawingReach(workWidth, workHeight);
    for (int* x : {&s.CenterX, &s.AMPMCenterX, &s.DateCenterX})
        *x = FitPosition(*x, workWidth, reach);
    for (int* y : {&s.CenterY, &s.AMPMCenterY, &s.DateCenterY})
        *y = FitPosition(*y, workHeight, reach);
    s.AMPMFontSize = FitSize(s.AMPMFontSize, reach);
    s.DateFontSize = FitSize(s.DateFontSize, reach);
}
