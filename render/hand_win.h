#pragma once
// A clock hand: drawn with a pen (CDrawedHand) or from a turned image (CPNGHand).
// Angles are radians counterclockwise from 3 o'clock; screen y grows downwards.
// The pivot is the preset's center at the work size; a hand keeps no reference
// to the preset it belongs to.

#include <windows.h>

#include "render/area_list.h"
#include "render/scale_ratio.h"

class CHand {
public:
    // Sizes times the ratio, from the picture to the work surface.
    virtual void Scale(ScaleRatio ratio) = 0;
    virtual void Draw(HDC dc, double angle, POINT center) = 0;
    // Adds rectangles holding every pixel a Draw with these values may change.
    // False when the hand cannot tell: its frames are then drawn whole.
    virtual bool Reach(double /*angle*/, POINT /*center*/, AreaList& /*reach*/) const { return false; }
    virtual ~CHand() = default;
};
