#include "render/frame_composer_win.h"

#include <cstring>
#include <string_view>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "render/alpha_plane_win.h"
#include "render/frame_hooks_win.h"
#include "render/hand_geometry.h"
#include "render/smooth_shrink_win.h"
#include "win/platform_entry_points_win.h"
#include "win/system_code_page_win.h"
#include "win/unique_handle.h"

namespace {

UniqueFont CreateTextFont(const std::string& face, int size) {
    LOGFONTA font = {};
    font.lfHeight = -size;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_ROMAN;
    // Face names longer than the platform's 31 characters are cut.
    std::strncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectA(&font));
}

// Draws `count` bytes of `text` centered on (centerX, centerY) of a work
// surface of the given size.
void DrawCenteredText(HDC dc,
                      const char* text,
                      int count,
                      const std::string& face,
                      int size,
                      uint32_t color,
                      int centerX,
                      int centerY,
                      int workWidth,
                      int workHeight) {
    UniqueFont font = CreateTextFont(face, size);
    if (!font)
        return;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    SelectGuard selected(dc, font.get());
    RECT area = {centerX - (workWidth >> 1), centerY - (workHeight >> 1), centerX + (workWidth >> 1),
                 centerY + (workHeight >> 1)};
    ::DrawTextA(dc, text, count, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

void DrawTexts(HDC work, const LoadedPreset& preset, const FrameTime& time, const FrameOptions& options) {
    const PresetSettings& settings = preset.Settings();
    if (options.showDate && !settings.DisableDate) {
        // The date is the computer's own, whatever time the hands show.
        char date[100] = {};
        const int length = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 100);
        if (length > 1)
            DrawCenteredText(work, date, length - 1, settings.DateFont, settings.DateFontSize, settings.DateColor,
                             settings.DateCenterX, settings.DateCenterY, preset.WorkWidth(), preset.WorkHeight());
    }
    if (options.showAMPM && !settings.DisableAMPM) {
        const std::string_view mark = TheLanguageTable().Text(time.hour <= 11 ? lang::kAM : lang::kPM);
        // Two characters are drawn (a shorter mark draws what it has, an empty
        // one nothing); on a two-byte code page that may be four bytes, and a
        // character is never cut in half.
        const int count = static_cast<int>(LeadingCharacterBytes(mark, 2, TheSystemCodePage()));
        if (count > 0)
            DrawCenteredText(work, mark.data(), count, settings.AMPMFont, settings.AMPMFontSize, settings.AMPMColor,
                             settings.AMPMCenterX, settings.AMPMCenterY, preset.WorkWidth(), preset.WorkHeight());
    }
}

void DrawHands(HDC work, const LoadedPreset& preset, const FrameTime& time, const FrameOptions& options) {
    const POINT center = preset.Center();
    if (CHand* hand = preset.HourHand())
        hand->Draw(work, HourHandAngle(time.hour, time.minute), center);
    if (CHand* hand = preset.MinuteHand())
        hand->Draw(work, MinuteHandAngle(time.minute, time.second), center);
    if (CHand* hand = preset.SecondHand(); hand && options.showSecondHand && preset.HasSecondHand())
        hand->Draw(work, SecondHandAngle(time.second), center);
}

// The work surface reduced into the frame by the platform. Neither bitmap may
// stay selected once this returns: the frame is read again for its alpha.
void StretchToFrame(HDC workDC, HDC frameDC, LoadedPreset& preset, bool halftone) {
    if (!halftone) {
        UniqueBitmap copy(static_cast<HBITMAP>(
            ::CopyImage(preset.WorkSurface(), IMAGE_BITMAP, preset.WindowWidth(), preset.WindowHeight(), 0)));
        if (copy)
            preset.ReplaceFrame(std::move(copy));
        return;
    }
    SelectGuard selectedWork(workDC, preset.WorkSurface());
    SelectGuard selectedFrame(frameDC, preset.Frame());
    ::SetStretchBltMode(frameDC, HALFTONE);
    ::SetBrushOrgEx(frameDC, 0, 0, nullptr);
    ::StretchBlt(frameDC, 0, 0, preset.WindowWidth(), preset.WindowHeight(), workDC, 0, 0, preset.WorkWidth(),
                 preset.WorkHeight(), SRCCOPY);
}

}  // namespace

bool FrameComposer::EnsureDCs() {
    if (!firstDC_)
        firstDC_.reset(::CreateCompatibleDC(nullptr));
    if (!secondDC_)
        secondDC_.reset(::CreateCompatibleDC(nullptr));
    return firstDC_ && secondDC_;
}

void FrameComposer::Compose(LoadedPreset& preset,
                            const FrameTime& time,
                            const FrameOptions& options,
                            FrameHooks* hooks) {
    if (!preset.Background() || !preset.Frame() || !preset.WorkSurface() || !EnsureDCs())
        return;
    {
        SelectGuard selectedBackground(firstDC_.get(), preset.Background());
        SelectGuard selectedWork(secondDC_.get(), preset.WorkSurface());
        const HDC work = secondDC_.get();
        ::BitBlt(work, 0, 0, preset.WorkWidth(), preset.WorkHeight(), firstDC_.get(), 0, 0, SRCCOPY);
        if (hooks)
            hooks->OnDrawBegin(work);
        DrawTexts(work, preset, time, options);
        DrawHands(work, preset, time, options);
        if (hooks)
            hooks->OnDrawedImage(work);
    }
    // Both surfaces are out of their DCs here: reductions read them as bitmaps.
    switch (preset.Smoothing()) {
        case SmoothingMethod::None:
            break;
        case SmoothingMethod::Own:
            if (HBITMAP reduced = SmoothShrink(preset.WorkSurface(), preset.WindowWidth(), preset.WindowHeight()))
                preset.UseReducedFrame(reduced);
            break;
        case SmoothingMethod::System:
            StretchToFrame(firstDC_.get(), secondDC_.get(), preset, options.halftone);
            break;
    }
}

FrameResult FrameComposer::PresentLayered(HWND window, LoadedPreset& preset, uint8_t alpha) {
    if (!TheUpdateLayeredWindow || !preset.Frame())
        return FrameResult::Drawn;
    FrameResult result = FrameResult::Drawn;
    HBITMAP source = preset.Frame();
    bool perPixelAlpha = false;
    // Without a plane of the frame's size (its resize failed) the frame goes
    // out opaque rather than with a stale or missing alpha. The frame is not
    // selected anywhere while its rows are read.
    if (preset.HasAlphaSurface()) {
        if (MergeAlphaPlane(preset.Frame(), preset.AlphaPlane(), preset.AlphaDibHeader(), preset.AlphaDibBits(),
                            preset.AlphaPlaneKind())) {
            source = preset.AlphaDib();
            perPixelAlpha = true;
        } else {
            result = FrameResult::AlphaMergeFailed;
            source = preset.AlphaDib();
            perPixelAlpha = true;
        }
    }
    if (!EnsureDCs())
        return result;
    WindowDC windowDC(window);
    SelectGuard selected(firstDC_.get(), source);
    SIZE size = {preset.WindowWidth(), preset.WindowHeight()};
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    TheUpdateLayeredWindow(window, windowDC.get(), nullptr, &size, firstDC_.get(), &origin, 0, &blend, ULW_ALPHA);
    return result;
}

void FrameComposer::Paint(HWND window, const LoadedPreset& preset) {
    if (!preset.Frame())
        return;
    WindowDC windowDC(window);
    UniqueMemoryDC memoryDC(::CreateCompatibleDC(windowDC.get()));
    if (!memoryDC)
        return;
    SelectGuard selected(memoryDC.get(), preset.Frame());
    ::BitBlt(windowDC.get(), 0, 0, preset.WindowWidth(), preset.WindowHeight(), memoryDC.get(), 0, 0, SRCCOPY);
}
