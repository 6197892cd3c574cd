// Building a preset: the background image, its .INI settings and hands, and
// every bitmap, size and shape that frame composition then works with.
#include "core/language_strings.h"
#include "render/alpha_plane_win.h"
#include "render/display_scale.h"
#include "render/drawed_hand_win.h"
#include "render/drawing_limits.h"
#include "render/ini_file_win.h"
#include "render/loaded_preset_win.h"
#include "render/picture_limits.h"
#include "render/plane_reduction.h"
#include "render/png_hand_win.h"
#include "render/png_loader_win.h"
#include "render/region_from_bitmap_win.h"
#include "render/region_runs.h"
#include "render/smooth_shrink.h"
#include "win/bitmap_info_win.h"
#include "win/readable_file_win.h"
#include "win/surface_bitmap_win.h"

#include <cstdio>
#include <optional>
#include <utility>

namespace {

void StretchInto(HDC reference,
                 HBITMAP target,
                 int targetWidth,
                 int targetHeight,
                 HBITMAP source,
                 int sourceWidth,
                 int sourceHeight,
                 int mode) {
    UniqueMemoryDC targetDC(::CreateCompatibleDC(reference));
    UniqueMemoryDC sourceDC(::CreateCompatibleDC(reference));
    if (!targetDC || !sourceDC)
        return;
    SelectGuard selectedTarget(targetDC.get(), target);
    SelectGuard selectedSource(sourceDC.get(), source);
    ::SetStretchBltMode(targetDC.get(), mode);
    ::SetBrushOrgEx(targetDC.get(), 0, 0, nullptr);
    ::StretchBlt(targetDC.get(), 0, 0, targetWidth, targetHeight, sourceDC.get(), 0, 0, sourceWidth, sourceHeight,
                 SRCCOPY);
}

// A reduction by area averaging: a face drawn larger than it is shown keeps
// its soft edges, which a stretch by sampling would turn into steps. False
// when the pictures cannot be read or written; the caller then stretches.
bool ReduceInto(HDC reference,
                HBITMAP target,
                int targetWidth,
                int targetHeight,
                HBITMAP source,
                int sourceWidth,
                int sourceHeight) {
    ReductionBuffers buffers;
    if (!buffers.Prepare(sourceWidth, sourceHeight, targetWidth, targetHeight))
        return false;
    BITMAPINFO sourceInfo = TopDownBitmapInfo(sourceWidth, sourceHeight, 24);
    if (::GetDIBits(reference, source, 0, static_cast<UINT>(sourceHeight), buffers.Source().data(), &sourceInfo,
                    DIB_RGB_COLORS) != sourceHeight)
        return false;
    buffers.Reduce();
    BITMAPINFO targetInfo = TopDownBitmapInfo(targetWidth, targetHeight, 24);
    return ::SetDIBits(reference, target, 0, static_cast<UINT>(targetHeight), buffers.Destination().data(), &targetInfo,
                       DIB_RGB_COLORS) == targetHeight;
}

bool IsReduction(int width, int height, int newWidth, int newHeight) {
    return newWidth <= width && newHeight <= height && (newWidth < width || newHeight < height);
}

// LoadImageA takes whatever size the file declares (a 2 MB RLE bitmap can
// declare 16000 x 16000), so the header is read first.
bool BitmapFileFitsFace(const std::string& path) {
    struct FileCloser {
        void operator()(FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    uint8_t header[kBitmapHeaderBytes];
    const size_t got = std::fread(header, 1, sizeof header, file.get());
    const std::optional<PictureSize> size = BitmapFileSize(header, got);
    return size && FitsPictureLimit(size->width, size->height, kMaxFaceSide);
}

// A copy of a loaded picture as a section, as every surface a frame touches is
// (a face without smoothing is drawn straight from it); the picture itself
// where no copy could be made.
UniqueBitmap CopiedToSurface(UniqueBitmap loaded) {
    BITMAP size{};
    if (!loaded || !::GetObjectA(loaded.get(), sizeof size, &size))
        return loaded;
    UniqueBitmap surface = CreateSurfaceBitmap(size.bmWidth, size.bmHeight);
    UniqueMemoryDC from(::CreateCompatibleDC(nullptr));
    UniqueMemoryDC to(::CreateCompatibleDC(nullptr));
    if (!surface || !from || !to)
        return loaded;
    BOOL copied = FALSE;
    {
        SelectGuard fromLoaded(from.get(), loaded.get());
        SelectGuard toSurface(to.get(), surface.get());
        copied = ::BitBlt(to.get(), 0, 0, size.bmWidth, size.bmHeight, from.get(), 0, 0, SRCCOPY);
    }
    return copied ? std::move(surface) : std::move(loaded);
}

UniqueBitmap LoadBackground(const std::string& path,
                            const PresetSettings& settings,
                            bool layered,
                            std::vector<uint8_t>& alphaPlane) {
    if (!IsReadableFile(path))
        return UniqueBitmap();
    if (IsBitmapExtension(path)) {
        if (!BitmapFileFitsFace(path))
            return UniqueBitmap();
        // Not loaded as a section: Wine then reads past the end of a file cut short.
        return CopiedToSurface(UniqueBitmap(
            static_cast<HBITMAP>(::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))));
    }
    const uint8_t cut[3] = {static_cast<uint8_t>(settings.CutColor & 0xFF),
                            static_cast<uint8_t>((settings.CutColor >> 8) & 0xFF),
                            static_cast<uint8_t>((settings.CutColor >> 16) & 0xFF)};
    return UniqueBitmap(LoadPNGBackground(path.c_str(), alphaPlane, layered ? nullptr : cut));
}

}  // namespace

void LoadedPreset::UseReducedFrame(HBITMAP cacheBitmap) {
    if (frame_ == cacheBitmap)
        return;
    ownedFrame_.reset();
    frame_ = cacheBitmap;
}

void LoadedPreset::ReplaceFrame(UniqueBitmap frame) {
    ownedFrame_ = std::move(frame);
    frame_ = ownedFrame_.get();
}

bool LoadedPreset::HasAlphaSurface() const {
    return alphaDib_ && alphaPlane_.size() == static_cast<size_t>(windowWidth_) * static_cast<size_t>(windowHeight_);
}

// Fills a LoadedPreset step by step; the only code that writes one.
class PresetBuilder {
public:
    static std::unique_ptr<LoadedPreset> Build(const std::string& path,
                                               const PresetBuildOptions& options,
                                               HDC reference,
                                               PresetBuildReport& report);
};

std::unique_ptr<LoadedPreset> PresetBuilder::Build(const std::string& path,
                                                   const PresetBuildOptions& options,
                                                   HDC reference,
                                                   PresetBuildReport& report) {
    auto preset = std::make_unique<LoadedPreset>();
    PresetSettings& settings = preset->settings_;
    const IniFile ini(SettingsPathFor(path));
    ReadTextSettings(ini, settings);

    settings.BackgroundHasAlpha = !IsBitmapExtension(path);
    UniqueBitmap loaded = LoadBackground(path, settings, options.layered, preset->alphaPlane_);
    if (!loaded)
        return nullptr;

    BITMAP info = {};
    if (!::GetObjectA(loaded.get(), sizeof(info), &info))
        return nullptr;
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (!FitsPictureLimit(width, height, kMaxFaceSide))
        return nullptr;
    preset->path_ = path;
    const std::string folder = FolderOf(path);

    ReadHandImageNames(ini, settings);
    struct ImageHandSlot {
        std::unique_ptr<CHand>& slot;
        const std::string& file;
        int centerDistance;
        int failedText;
    };
    const ImageHandSlot imageSlots[] = {
        {preset->hourHand_, settings.HourPNG, settings.HourPNGCenterDist, lang::kHourHandFailed},
        {preset->minuteHand_, settings.MinutePNG, settings.MinutePNGCenterDist, lang::kMinuteHandFailed},
        {preset->secondHand_, settings.SecondPNG, settings.SecondPNGCenterDist, lang::kSecondHandFailed},
    };
    for (const ImageHandSlot& s : imageSlots) {
        if (s.file.empty())
            continue;
        auto hand = std::make_unique<CPNGHand>();
        if (hand->Load((folder + s.file).c_str(), static_cast<unsigned>(s.centerDistance))) {
            preset->imageHandLoaded_ = true;
            if (&s.slot == &preset->secondHand_)
                settings.HasSecondHand = true;
        } else {
            report.failedHandTexts.push_back(s.failedText);
        }
        // A hand whose image failed stays in its slot and draws nothing.
        s.slot = std::move(hand);
    }

    const struct {
        std::unique_ptr<CHand>& slot;
        HandKind kind;
    } drawnSlots[] = {{preset->hourHand_, HandKind::Hour},
                      {preset->minuteHand_, HandKind::Minute},
                      {preset->secondHand_, HandKind::Second}};
    std::vector<CDrawedHand*> drawnHands;
    for (const auto& s : drawnSlots) {
        if (s.slot)
            continue;
        const DrawnHandSpec spec = ReadDrawnHand(ini, s.kind);
        auto hand = std::make_unique<CDrawedHand>();
        hand->Init(spec.length, spec.width, spec.color, spec.lap);
        if (s.kind == HandKind::Second && (spec.length != 0 || spec.lap != 0))
            settings.HasSecondHand = true;
        drawnHands.push_back(hand.get());
        s.slot = std::move(hand);
    }

    ReadCenters(ini, width, height, settings);
    const int imageScale = ReadImageScale(ini);
    ScaleRatio workRatio{1, 1};
    const PresetSizes sizes =
        ComputeFaceSizes(width, height, {options.useZoom, options.zoomValue, options.dpi, imageScale},
                         static_cast<int>(options.smoothing), &workRatio);
    const bool regionShapesWindow = !settings.BackgroundHasAlpha || !options.layered;
    preset->smoothing_ = options.smoothing;
    preset->scale_ = NominalScalePercent({1, 1}, imageScale);
    preset->windowWidth_ = sizes.zoomed ? sizes.windowWidth : width;
    preset->windowHeight_ = sizes.zoomed ? sizes.windowHeight : height;

    preset->ReplaceFrame(CreateSurfaceBitmap(sizes.windowWidth, sizes.windowHeight));
    if (!preset->frame_)
        return nullptr;

    // The pixels that are not the cut color, at the window's size: the window's
    // region, and on a layered window the face's per-pixel alpha as well.
    std::optional<std::vector<RegionRect>> shape;
    if (!sizes.zoomed && regionShapesWindow)
        shape = OpaqueRunsOfBitmap(loaded.get(), settings.CutColor);

    if (options.smoothing == SmoothingMethod::None && !sizes.zoomed) {
        preset->background_ = std::move(loaded);
        preset->workWidth_ = width;
        preset->workHeight_ = height;
    } else {
        preset->workWidth_ = sizes.workWidth;
        preset->workHeight_ = sizes.workHeight;
        preset->scale_ = NominalScalePercent(workRatio, imageScale);
        ScaleFaceGeometry(settings, workRatio);
        for (CHand* hand : {preset->hourHand_.get(), preset->minuteHand_.get(), preset->secondHand_.get()})
            if (hand)
                hand->Scale(workRatio);
        preset->background_ = CreateSurfaceBitmap(sizes.workWidth, sizes.workHeight);
        if (!preset->background_)
            return nullptr;
        if (!IsReduction(width, height, sizes.workWidth, sizes.workHeight) ||
            !ReduceInto(reference, preset->background_.get(), sizes.workWidth, sizes.workHeight, loaded.get(), width,
                        height))
            StretchInto(reference, preset->background_.get(), sizes.workWidth, sizes.workHeight, loaded.get(), width,
                        height, HALFTONE);
        if (sizes.zoomed && regionShapesWindow) {
            StretchInto(reference, preset->frame_, sizes.windowWidth, sizes.windowHeight, loaded.get(), width, height,
                        COLORONCOLOR);
            shape = OpaqueRunsOfBitmap(preset->frame_, settings.CutColor);
        }
        loaded.reset();
        if (options.smoothing != SmoothingMethod::None) {
            preset->work_ = CreateSurfaceBitmap(sizes.workWidth, sizes.workHeight);
            if (!preset->work_)
                return nullptr;
        }
    }

    // Once at the work size, no drawing size may exceed what the surface shows.
    FitPresetGeometry(settings, preset->workWidth_, preset->workHeight_);
    for (CDrawedHand* hand : drawnHands) {
        const DrawnHandSpec fitted = FitDrawnHand({hand->Color(), hand->Length(), hand->Lap(), hand->Width()},
                                                  preset->workWidth_, preset->workHeight_);
        hand->Init(fitted.length, fitted.width, fitted.color, fitted.lap);
    }

    if (sizes.zoomed && options.layered && !preset->alphaPlane_.empty()) {
        if (!IsReduction(width, height, sizes.windowWidth, sizes.windowHeight) ||
            !ReducePlane(width, height, preset->alphaPlane_, sizes.windowWidth, sizes.windowHeight))
            ResizeAlphaPlane(width, height, preset->alphaPlane_, sizes.windowWidth, sizes.windowHeight);
    }

    if (shape)
        preset->region_.reset(RegionFromRuns(*shape));
    if (options.layered) {
        if (!settings.BackgroundHasAlpha) {
            // A bitmap face goes out with its shape as per-pixel alpha too. A
            // device bitmap with only a constant opacity is what layered windows
            // document as well, but Wine shows such a window nowhere and lets
            // every click through; a section with alpha shows on both. A face
            // whose shape could not be read shows whole, as its window does.
            preset->planeKind_ = PlaneKind::ShapeMask;
            if (shape)
                preset->alphaPlane_ = ShapeMask(*shape, preset->windowWidth_, preset->windowHeight_);
            else
                preset->alphaPlane_.assign(size_t(preset->windowWidth_) * size_t(preset->windowHeight_), 255);
        }
        preset->alphaDib_.reset(CreateAlphaDIB(preset->frame_, &preset->alphaDibBits_, &preset->alphaDibHeader_));
    }
    return preset;
}

std::unique_ptr<LoadedPreset> BuildPreset(const std::string& path,
                                          const PresetBuildOptions& options,
                                          HDC reference,
                                          PresetBuildReport& report) {
    return PresetBuilder::Build(path, options, reference, report);
}
