#include "render/skin_info_win.h"

SkinInfo SkinInfoOf(const LoadedPreset& preset) {
    const PresetSettings& s = preset.Settings();
    SkinInfo info = {};
    info.workWidth = preset.WorkWidth();
    info.workHeight = preset.WorkHeight();
    info.ampmColor = s.AMPMColor;
    info.ampmFontSize = s.AMPMFontSize;
    info.dateColor = s.DateColor;
    info.dateFontSize = s.DateFontSize;
    info.scalePercent = preset.Scale();
    info.centerX = s.CenterX;
    info.centerY = s.CenterY;
    info.ampmCenterX = s.AMPMCenterX;
    info.ampmCenterY = s.AMPMCenterY;
    info.dateCenterX = s.DateCenterX;
    info.dateCenterY = s.DateCenterY;
    info.backgroundBitmap = preset.Background();
    info.presetPath = preset.Path().c_str();
    return info;
}
