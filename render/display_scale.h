#pragma once
// The scale a face is drawn at: the zoom the settings give, times the scale of
// the monitor the clock is on, over the scale the preset's pictures were drawn
// at. At 150 % a 240-pixel face is 360 pixels wide, as large to the eye as at
// 100 %; a preset drawn at 3x is reduced from its source, never enlarged.

#include <cstdint>

#include "render/preset_settings.h"
#include "render/scale_ratio.h"

// The pixels per inch of a monitor at 100 %.
constexpr int kBaseDpi = 96;

// A monitor's DPI as the system reports it; 0 or a value no monitor has (a
// failed look-up) gives the base DPI.
int SaneDpi(int dpi);

// A preset's ImageScale (percent its pictures are drawn at); values outside
// 100..1000 read as 100, so a bad one shows the face at its picture size.
int SaneImageScale(int imageScale);

// The preset's ImageScale key, made sane; 100 without it.
int ReadImageScale(const IniSource& ini);

struct FaceScale {
    bool useZoom = false;
    int zoomValue = 100;
    int dpi = kBaseDpi;
    int imageScale = 100;
};

// The window and work sizes of a width x height background at the scale. The
// full scale (zoom x monitor) is taken when the window sides stay within
// 1..4096 (kMaxFaceSide); else the monitor scale alone; else the picture's
// own size. A zoom outside 1..1000 is ignored. Smoothing (aaMethod not 0)
// doubles the drawing scale while the work sides stay within 4096. The
// drawing scale is in percent, truncated; `zoomed` is set whenever the
// window is not the picture's own size or the zoom is on. workRatio, when
// given, receives the exact factor from the picture to the work surface.
PresetSizes ComputeFaceSizes(int width,
                             int height,
                             const FaceScale& scale,
                             int aaMethod,
                             ScaleRatio* workRatio = nullptr);

// The six centres and the two font sizes, from the picture to the work surface.
void ScaleFaceGeometry(PresetSettings& settings, ScaleRatio ratio);
// The scale a plug-in is told: the work surface against the preset's nominal
// size (its pictures over ImageScale), so 100 at 100 % whatever the pictures.
int NominalScalePercent(ScaleRatio work, int imageScale);
