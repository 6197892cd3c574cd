#include "render/drawed_hand_win.h"

#include "render/hand_geometry.h"
#include "render/preset_settings.h"
#include "win/unique_handle.h"

void CDrawedHand::Init(int length, int width, COLORREF color, int lap) {
    length_ = length;
    width_ = width;
    color_ = color;
    lap_ = lap;
}

void CDrawedHand::Scale(int percent) {
    length_ = ScalePercent(length_, percent);
    width_ = ScalePercent(width_, percent);
    lap_ = ScalePercent(lap_, percent);
}

void CDrawedHand::Draw(HDC dc, double angle) {
    UniquePen pen(CreatePen(PS_SOLID, width_, color_));
    if (!pen)
        return;
    SelectGuard selected(dc, pen.get());
    const PresetSettings& preset = ThePresetSettings();
    const HandLine line = DrawnHandLine(preset.CenterX, preset.CenterY, angle, lap_, length_);
    MoveToEx(dc, line.startX, line.startY, nullptr);
    LineTo(dc, line.tipX, line.tipY);
}
