// Loading a preset: the background image, its .INI settings and hands, and
// every bitmap, size and shape that frame composition then works with.
#include "app/clock_window_win.h"
#include "app/language_table.h"
#include "render/alpha_blend_win.h"
#include "render/alpha_plane_win.h"
#include "render/drawed_hand_win.h"
#include "render/ini_file_win.h"
#include "render/png_hand_win.h"
#include "render/png_loader_win.h"
#include "render/preset_settings.h"
#include "render/region_from_bitmap_win.h"
#include "render/smooth_shrink_win.h"
#include "res/resource.h"
#include "win/message_box_win.h"
#include "win/proc_address_win.h"

namespace {

void SetRegion(HWND window, HRGN region, BOOL redraw) {
    // The window owns the region once it accepted it.
    if (!::SetWindowRgn(window, region, redraw) && region) UniqueRegion discard(region);
}

void StretchInto(HDC reference, HBITMAP target, int targetWidth, int targetHeight, HBITMAP source, int sourceWidth,
                 int sourceHeight, int mode) {
    UniqueMemoryDC targetDC(::CreateCompatibleDC(reference));
    UniqueMemoryDC sourceDC(::CreateCompatibleDC(reference));
    if (!targetDC || !sourceDC) return;
    SelectGuard selectedTarget(targetDC.get(), target);
    SelectGuard selectedSource(sourceDC.get(), source);
    ::SetStretchBltMode(targetDC.get(), mode);
    ::SetBrushOrgEx(targetDC.get(), 0, 0, nullptr);
    ::StretchBlt(targetDC.get(), 0, 0, targetWidth, targetHeight, sourceDC.get(), 0, 0, sourceWidth, sourceHeight,
                 SRCCOPY);
}

}  // namespace

void CTavixDlg::UpdateAlphaBlendLibrary(bool imageHandLoaded) {
    if (imageHandLoaded && !AlphaBlendLoaded) {
        AlphaBlendModule.reset(::LoadLibraryA("msimg32.dll"));
        AlphaBlendFn blend = LookupProc<AlphaBlendFn>(AlphaBlendModule.get(), "AlphaBlend");
        if (blend) {
            SetAlphaBlend(blend);
            AlphaBlendLoaded = 1;
        } else {
            AlphaBlendModule.reset();
            AlphaBlendLoaded = 0;
        }
    } else if (!imageHandLoaded && AlphaBlendLoaded) {
        SetAlphaBlend(nullptr);
        AlphaBlendModule.reset();
        AlphaBlendLoaded = 0;
    }
}

bool CTavixDlg::LoadPreset(const std::string& path) {
    PresetSettings& preset = ThePresetSettings();
    const IniFile ini(SettingsPathFor(path));

    HourHand.reset();
    MinuteHand.reset();
    SecondHand.reset();
    AlphaDib.reset();
    AlphaDibBits = nullptr;
    NextRedrawTime = 0;
    preset.HasSecondHand = false;

    ReadTextSettings(ini, preset);

    AlphaPlane.clear();
    UniqueBitmap loaded;
    if (!IsBitmapExtension(path)) {
        const uint8_t cut[3] = {static_cast<uint8_t>(preset.CutColor & 0xFF),
                                static_cast<uint8_t>((preset.CutColor >> 8) & 0xFF),
                                static_cast<uint8_t>((preset.CutColor >> 16) & 0xFF)};
        loaded.reset(LoadPNGBackground(path.c_str(), AlphaPlane, LayeredSupported ? nullptr : cut));
        preset.BackgroundHasAlpha = true;
    } else {
        loaded.reset(static_cast<HBITMAP>(
            ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        preset.BackgroundHasAlpha = false;
    }
    if (!loaded) return false;

    BITMAP info = {};
    ::GetObjectA(loaded.get(), sizeof(info), &info);
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    WindowWidth = width;
    WindowHeight = height;
    PresetPath = path;
    const std::string folder = FolderOf(path);

    ReadHandImageNames(ini, preset);
    struct ImageHandSlot {
        std::unique_ptr<CHand>& slot;
        const std::string& file;
        int centreDistance;
        int messageId;
    };
    const ImageHandSlot imageSlots[] = {
        {HourHand, preset.HourPNG, preset.HourPNGCenterDist, 7},
        {MinuteHand, preset.MinutePNG, preset.MinutePNGCenterDist, 8},
        {SecondHand, preset.SecondPNG, preset.SecondPNGCenterDist, 9},
    };
    bool imageHandLoaded = false;
    for (const ImageHandSlot& s : imageSlots) {
        if (s.file.empty()) continue;
        auto hand = std::make_unique<CPNGHand>();
        if (hand->Load((folder + s.file).c_str(), static_cast<unsigned>(s.centreDistance))) {
            imageHandLoaded = true;
            if (&s.slot == &SecondHand) preset.HasSecondHand = true;
        } else {
            ShowMessage(TheLanguageTable().Text(s.messageId));
        }
        // A hand whose image failed stays empty and draws nothing.
        s.slot = std::move(hand);
    }
    UpdateAlphaBlendLibrary(imageHandLoaded);

    const struct {
        std::unique_ptr<CHand>& slot;
        HandKind kind;
    } drawnSlots[] = {{HourHand, HandKind::Hour}, {MinuteHand, HandKind::Minute}, {SecondHand, HandKind::Second}};
    for (const auto& s : drawnSlots) {
        if (s.slot) continue;
        const DrawnHandSpec spec = ReadDrawnHand(ini, s.kind);
        auto hand = std::make_unique<CDrawedHand>();
        hand->Init(spec.length, spec.width, spec.color, spec.lap);
        if (s.kind == HandKind::Second && (spec.length != 0 || spec.lap != 0)) preset.HasSecondHand = true;
        s.slot = std::move(hand);
    }

    BackgroundBitmap.reset();
    WorkBitmap.reset();
    ReleaseFrameBitmap();
    FreeReductionCache();

    ReadCenters(ini, width, height, preset);
    const PresetSizes sizes =
        ComputePresetSizes(width, height, Settings.UseZoom != 0, Settings.ZoomValue, Settings.AAMethod);
    const bool regionShapesWindow = !preset.BackgroundHasAlpha || !LayeredSupported;
    {
        WindowDC windowDC(Handle());
        SetFrameBitmap(UniqueBitmap(::CreateCompatibleBitmap(windowDC.get(), sizes.windowWidth, sizes.windowHeight)));

        if (!sizes.zoomed && regionShapesWindow)
            SetRegion(Handle(), RegionFromBitmap(loaded.get(), preset.CutColor), TRUE);

        if (Settings.AAMethod == 0 && !sizes.zoomed) {
            BackgroundBitmap = std::move(loaded);
            WorkWidth = width;
            WorkHeight = height;
        } else {
            WorkWidth = sizes.workWidth;
            WorkHeight = sizes.workHeight;
            ScalePresetGeometry(preset, sizes.scale);
            for (CHand* hand : {HourHand.get(), MinuteHand.get(), SecondHand.get()})
                if (hand) hand->Scale(sizes.scale);
            BackgroundBitmap.reset(::CreateCompatibleBitmap(windowDC.get(), WorkWidth, WorkHeight));
            StretchInto(windowDC.get(), BackgroundBitmap.get(), WorkWidth, WorkHeight, loaded.get(), width, height,
                        HALFTONE);
            if (sizes.zoomed && regionShapesWindow) {
                StretchInto(windowDC.get(), FrameBitmap(), sizes.windowWidth, sizes.windowHeight, loaded.get(), width,
                            height, COLORONCOLOR);
                SetRegion(Handle(), RegionFromBitmap(FrameBitmap(), preset.CutColor), TRUE);
            }
            loaded.reset();
            if (Settings.AAMethod != 0)
                WorkBitmap.reset(::CreateCompatibleBitmap(windowDC.get(), WorkWidth, WorkHeight));
        }

        if (sizes.zoomed) {
            if (LayeredSupported && !AlphaPlane.empty())
                ResizeAlphaPlane(width, height, AlphaPlane, sizes.windowWidth, sizes.windowHeight);
            WindowWidth = sizes.windowWidth;
            WindowHeight = sizes.windowHeight;
        }
    }

    if (LayeredSupported && preset.BackgroundHasAlpha) {
        SetRegion(Handle(), nullptr, FALSE);
        AlphaDib.reset(CreateAlphaDIB(FrameBitmap(), &AlphaDibBits, &AlphaDibHeader));
    }
    // Plug-in hook: the preset was loaded.

    ::SetWindowPos(Handle(), nullptr, 0, 0, WindowWidth, WindowHeight, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    if (Settings.LimitWinPos) ::PostMessageA(Handle(), WM_USER + 2, 0, 0);
    ::PostMessageA(Handle(), WM_TIMER, IDT_CLOCK_TIMER, 0);
    return true;
}
