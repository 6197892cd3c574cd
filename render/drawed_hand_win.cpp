#include "render/drawed_hand_win.h"

#include "render/hand_geometry.h"
#include "render/hand_pieces.h"
#include "win/unique_handle.h"

void CDrawedHand::Init(int length, int width, COLORREF color, int lap) {
    length_ = length;
    width_ = width;
    color_ = color;
    lap_ = lap;
}

void CDrawedHand::Scale(ScaleRatio ratio) {
    length_ = ScaleByRatio(length_, ratio);
    width_ = ScaleByRatio(width_, ratio);
    lap_ = ScaleByRatio(lap_, ratio);
}

void CDrawedHand::Draw(HDC dc, double angle, POINT center) {
    UniquePen pen(CreatePen(PS_SOLID, width_, color_));
    if (!pen)
        return;
    SelectGuard selected(dc, pen.get());
    const HandLine line = DrawnHandLine(center.x, center.y, angle, lap_, length_);
    MoveToEx(dc, line.startX, line.startY, nullptr);
    LineTo(dc, line.tipX, line.tipY);
}

bool CDrawedHand::Reach(double angle, POINT center, AreaList& reach) const {
    DrawnHandPieces(DrawnHandLine(center.x, center.y, angle, lap_, length_), width_, reach);
    return true;
}
