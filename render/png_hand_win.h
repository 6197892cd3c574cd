#pragma once
// A clock hand drawn from a picture: a PNG image of the hand lying horizontally
// and pointing to 3 o'clock, turned to the hand's angle on every frame and
// blended with its own alpha. The pivot is the pixel one right and one down of
// the preset center; the image's middle lies the center distance from it along
// the hand.

#include <windows.h>

#include <vector>

#include "render/hand_pieces.h"
#include "render/hand_rotation.h"
#include "render/hand_win.h"
#include "win/unique_handle.h"

class CPNGHand : public CHand {
public:
    // 1 when the file decoded; 0 leaves the hand without an image, which draws
    // nothing. A center distance of 0 means half the image's width.
    int Load(const char* path, unsigned centerDistance);
    // Takes over a decoded image: a 32-bit top-down bitmap section of
    // premultiplied B, G, R, A pixels at pixels (what LoadPNG gives). Same
    // result as Load; the bitmap is deleted when it is no such section.
    int Attach(HBITMAP image, void* pixels, unsigned centerDistance);

    void Scale(ScaleRatio ratio) override;
    void Draw(HDC dc, double angle, POINT center) override;
    bool Reach(double angle, POINT center, AreaList& reach) const override;

    bool HasImage() const { return static_cast<bool>(image_); }
    int Width() const { return header_.bmiHeader.biWidth; }
    int Height() const { return header_.bmiHeader.biHeight; }
    int CenterDistance() const { return centerDistance_; }
    const void* Pixels() const { return pixels_; }

private:
    void Drop();
    // Where the turned image lands: its box and top left corner. False when it
    // draws nothing at this angle.
    bool Place(double angle, POINT center, TurnedBounds& box, int& x, int& y) const;

    // Where a piece of the image lands with the hand placed at (x, y).
    PixelRect PieceReach(const PixelRect& piece, const PieceTurn& turn, const TurnedBounds& box, int x, int y) const;
    // Takes the pieces of the image that draw anything.
    void FindPieces();

    void* pixels_ = nullptr;         // memory of image_, owned by it
    std::vector<PixelRect> pieces_;  // of the image as it is now, in its pixels
    BITMAPINFO header_{};            // width, height (rows from the top), 32 bits a pixel
    UniqueBitmap image_;
    int centerDistance_ = 0;
};
