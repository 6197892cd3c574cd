#include "render/hand_pieces.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int kPieceLength = 24;
constexpr int kMostPieces = 16;

int ClampToInt(double v) {
    if (!(v > double(INT_MIN)))
        return INT_MIN;
    if (!(v < double(INT_MAX)))
        return INT_MAX;
    return static_cast<int>(v);
}

}  // namespace

int HandPieceCount(int64_t length) {
    return static_cast<int>(std::clamp<int64_t>(length / kPieceLength, 1, kMostPieces));
}

void DrawnHandPieces(const HandLine& line, int penWidth, AreaList& pieces) {
    const double dx = double(line.tipX) - line.startX;
    const double dy = double(line.tipY) - line.startY;
    const int count = HandPieceCount(static_cast<int64_t>(std::max(std::abs(dx), std::abs(dy))));
    const double reach = double(std::max(penWidth, 1) / 2 + 2);
    for (int i = 0; i < count; ++i) {
        // Each piece from one cut point to the next, the cut points rounded
        // outward, so that neighbors share their cut and no point falls between.
        const double x0 = line.startX + dx * i / count;
        const double y0 = line.startY + dy * i / count;
        const double x1 = i + 1 == count ? line.tipX : line.startX + dx * (i + 1) / count;
        const double y1 = i + 1 == count ? line.tipY : line.startY + dy * (i + 1) / count;
        pieces.Add({ClampToInt(std::floor(std::min(x0, x1)) - reach), ClampToInt(std::floor(std::min(y0, y1)) - reach),
                    ClampToInt(std::ceil(std::max(x0, x1)) + reach + 1),
                    ClampToInt(std::ceil(std::max(y0, y1)) + reach + 1)});
    }
    pieces.JoinNeighbors();
}

std::vector<PixelRect> ImagePieces(const uint32_t* pixels, int width, int height) {
    std::vector<PixelRect> pieces;
    if (!pixels || width <= 0 || height <= 0)
        return pieces;
    const int count = HandPieceCount(width);
    for (int i = 0; i < count; ++i) {
        const int first = int(int64_t(width) * i / count);
        const int last = int(int64_t(width) * (i + 1) / count);
        PixelRect piece;
        for (int y = 0; y < height; ++y) {
            const uint32_t* row = pixels + size_t(y) * size_t(width);
            int left = first;
            while (left < last && row[left] == 0)
                ++left;
            if (left == last)
                continue;
            int right = last;
            while (row[right - 1] == 0)
                --right;
            piece = Union(piece, PixelRect{left, y, right, y + 1});
        }
        if (!piece.Empty())
            pieces.push_back(piece);
    }
    return pieces;
}

PieceTurn PieceTurnOf(double angle) {
    return {std::cos(-angle), std::sin(-angle)};
}

PixelRect TurnedPieceReach(const PixelRect& piece, double angle) {
    return TurnedPieceReach(piece, PieceTurnOf(angle));
}

PixelRect TurnedPieceReach(const PixelRect& piece, const PieceTurn& turn) {
    if (piece.Empty() || !std::isfinite(turn.c) || !std::isfinite(turn.s))
        return {};
    // The turn samples image pixel (trunc(u - 0.5), trunc(v - 0.5)) at the
    // point whose turned coordinates are u = X c + Y s, v = Y c - X s: the
    // piece's pixels are sampled only where u and v lie within half a pixel
    // past its edges. Those points, turned back, lie in the box of its corners.
    const double c = turn.c;
    const double s = turn.s;
    const double u[2] = {piece.left - 0.5, piece.right + 0.5};
    const double v[2] = {piece.top - 0.5, piece.bottom + 0.5};
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (double pu : u) {
        for (double pv : v) {
            const double x = pu * c - pv * s;
            const double y = pu * s + pv * c;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    return {ClampToInt(std::floor(minX) - 1), ClampToInt(std::floor(minY) - 1), ClampToInt(std::ceil(maxX) + 2),
            ClampToInt(std::ceil(maxY) + 2)};
}
