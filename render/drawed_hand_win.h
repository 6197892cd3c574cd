#pragma once
// A straight clock hand drawn with a solid pen, turning about the preset's
// center at the work size.

#include <windows.h>

#include "render/hand_win.h"

class CDrawedHand : public CHand {
public:
    void Init(int length, int width, COLORREF color, int lap);
    void Scale(ScaleRatio ratio) override;
    void Draw(HDC dc, double angle, POINT center) override;
    bool Reach(double angle, POINT center, AreaList& reach) const override;

    int Lap() const { return lap_; }
    COLORREF Color() const { return color_; }
    int Width() const { return width_; }
    int Length() const { return length_; }

private:
    int lap_ = 0;  // reach past the pivot on the opposite side
    COLORREF color_ = 0;
    int width_ = 0;  // pen width; 0 and 1 both give a one-pixel line
    int length_ = 0;
};
