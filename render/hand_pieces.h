#pragma once
// A hand's reach cut along its length: a hand at a slant fills a fifth of its
// box, and the boxes of a few pieces of it hold what it draws with far fewer
// pixels to spare.

#include <cstdint>
#include <vector>

#include "render/area_list.h"
#include "render/hand_geometry.h"

// Pieces a hand is cut into: about one per 24 pixels of its length, at most 16.
int HandPieceCount(int64_t length);

// The reach of a pen line cut into pieces, each piece's segment grown as
// DrawnHandReach grows the whole line; neighbors are joined where that costs
// less. Every pixel of the line, its width and its round ends is in one of them.
void DrawnHandPieces(const HandLine& line, int penWidth, AreaList& pieces);

// An image hand's columns cut into pieces, each the smallest rectangle of
// image pixels holding every pixel of those columns that is not 0 (a 0 pixel
// is fully clear and blends to nothing). Empty columns give no piece.
std::vector<PixelRect> ImagePieces(const uint32_t* pixels, int width, int height);

// The cosine and sine the image's turn takes for an angle (of minus the
// angle), taken once for all the pieces of a hand.
struct PieceTurn {
    double c;
    double s;
};
PieceTurn PieceTurnOf(double angle);

// Where the pixels of a rectangle of the image land when it is turned, in the
// coordinates of TurnedBounds (before its minX and minY are taken off), with a
// pixel to spare for rounding on every side.
PixelRect TurnedPieceReach(const PixelRect& piece, const PieceTurn& turn);
PixelRect TurnedPieceReach(const PixelRect& piece, double angle);
