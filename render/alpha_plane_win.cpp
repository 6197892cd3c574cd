#include "render/alpha_plane_win.h"

#include <cstdlib>
#include <new>
#include <string>

#include "render/alpha_merge.h"
#include "render/smooth_shrink.h"
#include "win/message_box_win.h"
#include "win/unique_handle.h"

namespace {

// Bitmap sizes travel as DWORDs; stay well inside.
constexpr size_t kMaxBytes = size_t(1) << 30;

BITMAPINFO Header24(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Bytes of a 24-bit picture, or 0 when a size is not positive or too large.
size_t PictureBytes(int width, int height) {
    const size_t stride = RowStride24(width);
    if (stride == 0 || height <= 0 || size_t(height) > kMaxBytes / stride)
        return 0;
    return stride * size_t(height);
}

void ShowLastError() {
    const DWORD error = GetLastError();
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    if (length == 0)
        ShowMessage(("Error " + std::to_string(error)).c_str());
    else
        ShowMessage(text);
}

}  // namespace

HBITMAP CreateAlphaDIB(HBITMAP frameBitmap, void** pixels, BITMAPINFO* header) {
    if (pixels)
        *pixels = nullptr;
    if (!frameBitmap || !pixels || !header)
        return nullptr;
    // Asked for the format alone, some drivers write color masks or a color
    // table after the header; a BITMAPINFO has room for one entry only.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } format{};
    format.header.biSize = sizeof(BITMAPINFOHEADER);
    WindowDC screen(nullptr);
    if (!screen ||
        !GetDIBits(screen.get(), frameBitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS))
        return nullptr;
    const LONG width = format.header.biWidth;
    const LONG height = std::labs(format.header.biHeight);
    if (width <= 0 || height <= 0 || size_t(width) * size_t(height) > kMaxBytes / 4)
        return nullptr;

    *header = BITMAPINFO{};
    header->bmiHeader = format.header;
    header->bmiHeader.biBitCount = 32;
    header->bmiHeader.biHeight = -height;
    header->bmiHeader.biCompression = BI_RGB;
    header->bmiHeader.biSizeImage = 0;
    header->bmiHeader.biClrUsed = 0;
    header->bmiHeader.biClrImportant = 0;
    HBITMAP section = CreateDIBSection(screen.get(), header, DIB_RGB_COLORS, pixels, nullptr, 0);
    if (!section)
        *pixels = nullptr;
    return section;
}

bool MergeAlphaPlane(HBITMAP frameBitmap, const uint8_t* plane, BITMAPINFO* header, void* pixels, PlaneKind kind) {
    if (!frameBitmap || !plane || !header || !pixels)
        return false;
    const LONG width = header->bmiHeader.biWidth;
    const LONG rows = -header->bmiHeader.biHeight;
    if (width <= 0 || rows <= 0)
        return false;
    header->bmiHeader.biBitCount = 32;
    WindowDC screen(nullptr);
    if (!screen)
        return false;
    const int read = GetDIBits(screen.get(), frameBitmap, 0, static_cast<UINT>(rows), pixels, header, DIB_RGB_COLORS);
    if (read != rows)
        return false;
    if (kind == PlaneKind::ShapeMask)
        MergeShapeMaskInto(static_cast<uint8_t*>(pixels), plane, size_t(width) * size_t(rows));
    else
        MergeAlphaPlaneInto(static_cast<uint8_t*>(pixels), plane, size_t(width) * size_t(rows));
    return true;
}

bool MergeAlphaPlane(HBITMAP frameBitmap,
                     const std::vector<uint8_t>& plane,
                     BITMAPINFO* header,
                     void* pixels,
                     PlaneKind kind) {
    if (!header || header->bmiHeader.biWidth <= 0 || header->bmiHeader.biHeight >= 0)
        return false;
    const size_t count = size_t(header->bmiHeader.biWidth) * size_t(-header->bmiHeader.biHeight);
    if (plane.size() != count)
        return false;
    return MergeAlphaPlane(frameBitmap, plane.data(), header, pixels, kind);
}

bool MergeAlphaPlaneAreas(HBITMAP frameBitmap,
                          HBITMAP alphaDib,
                          const std::vector<uint8_t>& plane,
                          const BITMAPINFO& header,
                          void* pixels,
                          PlaneKind kind,
                          const AreaList& areas,
                          HDC frameDC,
                          HDC dibDC) {
    const LONG width = header.bmiHeader.biWidth;
    const LONG rows = -header.bmiHeader.biHeight;
    if (!frameBitmap || !alphaDib || !pixels || !frameDC || !dibDC || width <= 0 || rows <= 0 ||
        plane.size() != size_t(width) * size_t(rows))
        return false;
    AreaList parts = areas;
    parts.ClipTo(WholeArea(width, rows));
    if (parts.Empty())
        return true;
    // Each part is copied and merged before the next: where two overlap, the
    // second copies the frame's pixels again instead of merging merged ones.
    SelectGuard selectedFrame(frameDC, frameBitmap);
    SelectGuard selectedDib(dibDC, alphaDib);
    uint8_t* bgra = static_cast<uint8_t*>(pixels);
    for (const PixelRect& part : parts) {
        const size_t partWidth = size_t(part.right - part.left);
        if (!BitBlt(dibDC, part.left, part.top, part.right - part.left, part.bottom - part.top, frameDC, part.left,
                    part.top, SRCCOPY))
            return false;
        GdiFlush();
        for (int y = part.top; y < part.bottom; ++y) {
            const size_t first = size_t(y) * size_t(width) + size_t(part.left);
            if (kind == PlaneKind::ShapeMask)
                MergeShapeMaskInto(bgra + 4 * first, plane.data() + first, partWidth);
            else
                MergeAlphaPlaneInto(bgra + 4 * first, plane.data() + first, partWidth);
        }
    }
    return true;
}

bool ResizeAlphaPlane(int width, int height, std::vector<uint8_t>& plane, int newWidth, int newHeight) {
    // Taken out at once: whatever fails below, no frame may merge a plane whose
    // size no longer matches the window.
    std::vector<uint8_t> old;
    old.swap(plane);
    const size_t oldBytes = PictureBytes(width, height);
    const size_t newBytes = PictureBytes(newWidth, newHeight);
    if (oldBytes == 0 || newBytes == 0 || old.size() != size_t(width) * size_t(height))
        return false;

    // A bottom-up 24-bit picture whose memory rows are the plane's rows, each
    // plane byte in the blue channel.
    BITMAPINFO oldHeader = Header24(width, height);
    void* bits = nullptr;
    UniqueBitmap section(CreateDIBSection(nullptr, &oldHeader, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) {
        ShowLastError();
        return false;
    }
    const size_t oldStride = RowStride24(width);
    uint8_t* out = static_cast<uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = out + size_t(y) * oldStride;
        const uint8_t* source = old.data() + size_t(y) * size_t(width);
        std::fill(row, row + oldStride, uint8_t(0));
        for (int x = 0; x < width; ++x)
            row[3 * size_t(x)] = source[x];
    }
    GdiFlush();

    UniqueBitmap copy(
        static_cast<HBITMAP>(CopyImage(section.get(), IMAGE_BITMAP, newWidth, newHeight, LR_CREATEDIBSECTION)));
    section.reset();
    if (!copy) {
        ShowMessage("CopyImage err!");
        return false;
    }

    // Read back bottom-up as well, so that memory row y is again plane row y.
    std::vector<uint8_t> picture;
    std::vector<uint8_t> resized;
    try {
        picture.resize(newBytes);
        resized.resize(size_t(newWidth) * size_t(newHeight));
    } catch (const std::bad_alloc&) {
        return false;
    }
    BITMAPINFO newHeader = Header24(newWidth, newHeight);
    WindowDC screen(nullptr);
    if (!screen || GetDIBits(screen.get(), copy.get(), 0, static_cast<UINT>(newHeight), picture.data(), &newHeader,
                             DIB_RGB_COLORS) != newHeight)
        return false;
    const size_t newStride = RowStride24(newWidth);
    for (int y = 0; y < newHeight; ++y) {
        const uint8_t* row = picture.data() + size_t(y) * newStride;
        uint8_t* target = resized.data() + size_t(y) * size_t(newWidth);
        for (int x = 0; x < newWidth; ++x)
            target[x] = row[3 * size_t(x)];
    }
    plane.swap(resized);
    return true;
}
