#include "render/png_loader_win.h"

#include "render/picture_limits.h"
#include "render/pixel_rules.h"
#include "render/png_decoder.h"
#include "win/bitmap_info_win.h"
#include "win/message_box_win.h"
#include "win/readable_file_win.h"
#include "win/unique_handle.h"

#include <new>

namespace {

BITMAPINFO TopDownHeader(int width, int height) {
    BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
    return info;
}

// Decodes straight into the memory of a new bitmap section.
class SectionTarget : public PngTarget {
public:
    SectionTarget(HDC screen, int maxSide) : screen_(screen), maxSide_(maxSide) {}

    // A picture larger than the clock can use is refused here, before its
    // memory is taken; the decode then fails with "PNG error!".
    uint8_t* Allocate(int width, int height) override {
        if (!FitsPictureLimit(width, height, maxSide_))
            return nullptr;
        header_ = TopDownHeader(width, height);
        void* bits = nullptr;
        section_.reset(CreateDIBSection(screen_, &header_, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = section_ ? static_cast<uint8_t*>(bits) : nullptr;
        return bits_;
    }

    const BITMAPINFO& Header() const { return header_; }
    size_t PixelCount() const {
        return static_cast<size_t>(header_.bmiHeader.biWidth) * static_cast<size_t>(-header_.bmiHeader.biHeight);
    }
    uint8_t* Bits() const { return bits_; }
    UniqueBitmap& Section() { return section_; }

private:
    HDC screen_;
    int maxSide_;
    BITMAPINFO header_{};
    UniqueBitmap section_;
    uint8_t* bits_ = nullptr;
};

// A damaged PNG is reported here, the one place that knows; a file that is no
// PNG at all stays silent.
bool Decoded(PngStatus status) {
    if (status == PngStatus::DecodeError)
        ShowMessage("PNG error!");
    return status == PngStatus::Ok;
}

}  // namespace

HBITMAP LoadPNG(const char* path, void** pixels) {
    if (!path || !IsReadableFile(path))
        return nullptr;
    WindowDC screen(nullptr);
    SectionTarget target(screen.get(), kMaxHandImageSide);
    if (!Decoded(DecodePngFile(path, target)))
        return nullptr;
    ConvertToPremultiplied(target.Bits(), target.PixelCount(), nullptr);
    if (pixels)
        *pixels = target.Bits();
    return target.Section().release();
}

HBITMAP LoadPNGBackground(const char* path, std::vector<uint8_t>& alphaPlane, const uint8_t* cutColorOrNull) {
    alphaPlane.clear();
    if (!path || !IsReadableFile(path))
        return nullptr;
    WindowDC screen(nullptr);
    SectionTarget target(screen.get(), kMaxFaceSide);
    if (!Decoded(DecodePngFile(path, target)))
        return nullptr;

    std::vector<uint8_t> plane;
    try {
        plane.resize(target.PixelCount());
    } catch (const std::bad_alloc&) {
        ShowMessage("PNG error!");
        return nullptr;
    }
    if (cutColorOrNull)
        ConvertOverCutColor(target.Bits(), plane.size(), cutColorOrNull, plane.data());
    else
        ConvertToPremultiplied(target.Bits(), plane.size(), plane.data());

    // A device bitmap draws faster than the section on every frame; the section
    // is only the decoder's landing place.
    HBITMAP bitmap = CreateDIBitmap(screen.get(), &target.Header().bmiHeader, CBM_INIT, target.Bits(), &target.Header(),
                                    DIB_RGB_COLORS);
    if (!bitmap) {
        ShowMessage("PNG error!");
        return nullptr;
    }
    alphaPlane = std::move(plane);
    return bitmap;
}
