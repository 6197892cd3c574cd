#include "render/png_hand_win.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "render/alpha_blend_win.h"
#include "render/hand_geometry.h"
#include "render/hand_pieces.h"
#include "render/hand_rotation.h"
#include "render/picture_limits.h"
#include "render/plane_reduction.h"
#include "render/png_loader_win.h"
#include "win/bitmap_info_win.h"

namespace {

// Bitmap sizes travel as DWORDs; stay well inside.
bool FitsSection(int width, int height) {
    return width > 0 && height > 0 && int64_t(width) * int64_t(height) <= INT_MAX / 4;
}

// The turned pixels of every image hand pass through one surface kept between
// frames: a section made and deleted per hand per frame maps and unmaps its
// memory each time, which costs more than the turning itself. Hands are drawn
// one after another on the one thread that draws.
class TurnSurface {
public:
    // A surface of at least width x height, selected into DC(); null when
    // none could be made. Rows are Stride() pixels apart.
    uint32_t* Hold(int width, int height) {
        if (width > width_ || height > height_) {
            // Never smaller than before in either direction: the hands take
            // turns with boxes of other shapes. Some room to spare, so that a
            // second hand turning a little further does not make it again at once.
            const int newWidth = std::max(width, width_) + 16;
            const int newHeight = std::max(height, height_) + 16;
            Release();
            if (!FitsSection(newWidth, newHeight))
                return nullptr;
            if (!dc_)
                dc_.reset(CreateCompatibleDC(nullptr));
            BITMAPINFO info = TopDownBitmapInfo(newWidth, newHeight, 32);
            void* bits = nullptr;
            UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
            if (!dc_ || !bitmap || !bits)
                return nullptr;
            original_ = SelectObject(dc_.get(), bitmap.get());
            bitmap_ = std::move(bitmap);
            bits_ = static_cast<uint32_t*>(bits);
            width_ = newWidth;
            height_ = newHeight;
        }
        GdiFlush();
        return bits_;
    }
    HDC DC() const { return dc_.get(); }
    int Stride() const { return width_; }

private:
    void Release() {
        if (dc_ && original_)
            SelectObject(dc_.get(), original_);
        original_ = nullptr;
        bitmap_.reset();
        bits_ = nullptr;
        width_ = 0;
        height_ = 0;
    }

    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

TurnSurface& TheTurnSurface() {
    static TurnSurface surface;
    return surface;
}

}  // namespace

int CPNGHand::Load(const char* path, unsigned centerDistance) {
    void* pixels = nullptr;
    HBITMAP image = LoadPNG(path, &pixels);
    return Attach(image, pixels, centerDistance);
}

int CPNGHand::Attach(HBITMAP image, void* pixels, unsigned centerDistance) {
    UniqueBitmap owned(image);
    Drop();
    DIBSECTION section{};
    if (!owned || !pixels || GetObjectA(owned.get(), sizeof section, &section) != int(sizeof section))
        return 0;
    const BITMAP& bitmap = section.dsBm;
    if (bitmap.bmBitsPixel != 32 || bitmap.bmBits != pixels || !FitsSection(bitmap.bmWidth, bitmap.bmHeight))
        return 0;
    header_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header_.bmiHeader.biWidth = bitmap.bmWidth;
    header_.bmiHeader.biHeight = bitmap.bmHeight;
    header_.bmiHeader.biPlanes = 1;
    header_.bmiHeader.biBitCount = 32;
    centerDistance_ =
        centerDistance == 0 ? bitmap.bmWidth >> 1 : static_cast<int>(std::min<unsigned>(centerDistance, INT_MAX));
    image_ = std::move(owned);
    pixels_ = pixels;
    FindPieces();
    return 1;
}

void CPNGHand::Drop() {
    image_.reset();
    pixels_ = nullptr;
    header_ = BITMAPINFO{};
    pieces_.clear();
}

void CPNGHand::FindPieces() {
    pieces_ = ImagePieces(static_cast<const uint32_t*>(pixels_), header_.bmiHeader.biWidth, header_.bmiHeader.biHeight);
}

void CPNGHand::Scale(ScaleRatio ratio) {
    if (!image_)
        return;
    const int oldWidth = header_.bmiHeader.biWidth;
    const int oldHeight = header_.bmiHeader.biHeight;
    // A hand can be scaled past anything a surface shows (a large image on a
    // small face zoomed and smoothed); its size is kept to the largest face.
    ratio = CappedHandScale(oldWidth, oldHeight, ratio);
    const int width = ScaleByRatio(oldWidth, ratio);
    const int height = ScaleByRatio(oldHeight, ratio);
    header_.bmiHeader.biCompression = BI_RGB;
    centerDistance_ = ScaleByRatio(centerDistance_, ratio);
    // A hand scaled to nothing, or past what a bitmap can hold, draws nothing.
    if (!FitsSection(width, height)) {
        Drop();
        return;
    }
    BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    void* bits = nullptr;
    UniqueBitmap scaled(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC from(CreateCompatibleDC(nullptr));
    UniqueMemoryDC to(CreateCompatibleDC(nullptr));
    if (!scaled || !bits || !from || !to) {
        Drop();
        return;
    }
    GdiFlush();
    // A hand drawn larger than it is shown (a preset drawn at 3x) is reduced by
    // area averaging, so its soft edges stay soft; sampling would leave steps.
    DIBSECTION section{};
    const bool topDown =
        GetObjectA(image_.get(), sizeof section, &section) == int(sizeof section) && section.dsBmih.biHeight < 0;
    if (!topDown || !ReducePixels32(static_cast<const uint8_t*>(pixels_), oldWidth, oldHeight,
                                    static_cast<uint8_t*>(bits), width, height)) {
        SelectGuard fromImage(from.get(), image_.get());
        SelectGuard toImage(to.get(), scaled.get());
        // The default stretch mode of a new surface: no smoothing here, the
        // frame's own reduction smooths.
        StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, oldWidth, oldHeight, SRCCOPY);
    }
    GdiFlush();
    image_ = std::move(scaled);
    pixels_ = bits;
    header_.bmiHeader.biWidth = width;
    header_.bmiHeader.biHeight = height;
    FindPieces();
}

bool CPNGHand::Place(double angle, POINT center, TurnedBounds& box, int& x, int& y) const {
    if (!image_ || !pixels_)
        return false;
    box = ComputeTurnedBounds(header_.bmiHeader.biWidth, header_.bmiHeader.biHeight, angle);
    if (!FitsSection(box.width, box.height))
        return false;
    // The middle of the turned box lies the center distance from the pivot
    // along the hand; each offset is truncated toward zero on its own.
    const double c = std::cos(-angle);
    const double s = std::sin(-angle);
    const int64_t left = int64_t(center.x) + 1 + static_cast<int64_t>(centerDistance_ * c) - int64_t(box.width >> 1);
    const int64_t top = int64_t(center.y) + 1 + static_cast<int64_t>(centerDistance_ * s) - int64_t(box.height >> 1);
    if (left < INT_MIN || left > INT_MAX - int64_t(box.width) || top < INT_MIN || top > INT_MAX - int64_t(box.height))
        return false;
    x = static_cast<int>(left);
    y = static_cast<int>(top);
    return true;
}

bool CPNGHand::Reach(double angle, POINT center, AreaList& reach) const {
    TurnedBounds box{};
    int x = 0;
    int y = 0;
    if (!Place(angle, center, box, x, y))
        return true;
    const PieceTurn turn = PieceTurnOf(angle);
    for (const PixelRect& piece : pieces_)
        reach.Add(PieceReach(piece, turn, box, x, y));
    reach.JoinNeighbors();
    return true;
}

PixelRect CPNGHand::PieceReach(const PixelRect& piece,
                               const PieceTurn& turn,
                               const TurnedBounds& box,
                               int x,
                               int y) const {
    // Nothing is drawn outside the turned box, whatever a piece's reach says.
    const PixelRect turned{x, y, x + box.width, y + box.height};
    return Intersect(turned, Moved(TurnedPieceReach(piece, turn), int64_t{x} - box.minX, int64_t{y} - box.minY));
}

void CPNGHand::Draw(HDC dc, double angle, POINT center) {
    const AlphaBlendFn alphaBlend = TheAlphaBlend();
    TurnedBounds box{};
    int x = 0;
    int y = 0;
    if (!alphaBlend || !dc || !Place(angle, center, box, x, y))
        return;
    // Only the part of the turned box that can change a pixel is turned and
    // blended: the part inside the clip (a hand that merely touches the
    // changed area costs that part) and among the pieces that hold the
    // image's pixels that are not clear (a clear pixel blends to nothing).
    // Each pixel depends on its own place alone, so the part equals the same
    // pixels of the whole box.
    PixelRect part;
    const PieceTurn turn = PieceTurnOf(angle);
    for (const PixelRect& piece : pieces_)
        part = Union(part, PieceReach(piece, turn, box, x, y));
    if (::GetMapMode(dc) == MM_TEXT && ::GetGraphicsMode(dc) == GM_COMPATIBLE) {
        RECT clip = {};
        const int kind = ::GetClipBox(dc, &clip);
        if (kind == NULLREGION)
            return;
        if (kind != ERROR)
            part = Intersect(part, PixelRect{int(clip.left), int(clip.top), int(clip.right), int(clip.bottom)});
    }
    if (part.Empty())
        return;
    box.minX += part.left - x;
    box.minY += part.top - y;
    box.width = part.right - part.left;
    box.height = part.bottom - part.top;
    x = part.left;
    y = part.top;
    TurnSurface& surface = TheTurnSurface();
    uint32_t* const bits = surface.Hold(box.width, box.height);
    if (!bits)
        return;
    // Turned in one piece, then each row moved to its place in the surface,
    // the last first: a row never lands on one not yet moved.
    FillTurnedImage(static_cast<const uint32_t*>(pixels_), header_.bmiHeader.biWidth, header_.bmiHeader.biHeight, angle,
                    box, bits);
    const size_t stride = size_t(surface.Stride());
    if (stride != size_t(box.width))
        for (size_t row = size_t(box.height) - 1; row > 0; --row)
            std::memmove(bits + row * stride, bits + row * size_t(box.width), size_t(box.width) * sizeof(uint32_t));
    BLENDFUNCTION blend{};
    blend.BlendOp = AC_SRC_OVER;
    blend.BlendFlags = 0;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    alphaBlend(dc, x, y, box.width, box.height, surface.DC(), 0, 0, box.width, box.height, blend);
}
