// One frame of the clock: background, plug-in hooks, date, AM/PM mark, hands,
// reduction to window size, then one transfer to the screen.
#include <algorithm>
#include <cstring>

#include "app/clock_window_win.h"
#include "app/language_table.h"
#include "app/platform_entry_points_win.h"
#include "render/alpha_plane_win.h"
#include "render/hand_geometry.h"
#include "render/preset_settings.h"
#include "render/smooth_shrink_win.h"
#include "win/message_box_win.h"

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

// Draws `count` characters of `text` centred on (centerX, centerY) of a work
// surface of the given size.
void DrawCentredText(HDC dc, const char* text, int count, const std::string& face, int size, uint32_t color,
                     int centerX, int centerY, int workWidth, int workHeight) {
    UniqueFont font = CreateTextFont(face, size);
    if (!font) return;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    SelectGuard selected(dc, font.get());
    RECT area = {centerX - (workWidth >> 1), centerY - (workHeight >> 1), centerX + (workWidth >> 1),
                 centerY + (workHeight >> 1)};
    ::DrawTextA(dc, text, count, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace

void CTavixDlg::SetFrameBitmap(UniqueBitmap bitmap) {
    ownedFrame_ = std::move(bitmap);
    frameBitmap_ = ownedFrame_.get();
}

void CTavixDlg::ReleaseFrameBitmap() {
    // With smoothing by our own reduction the frame is the cache's bitmap,
    // which the cache releases itself.
    ownedFrame_.reset();
    frameBitmap_ = nullptr;
}

void CTavixDlg::ComposeFrame(uint16_t hour, uint16_t minute, uint16_t second) {
    const PresetSettings& preset = ThePresetSettings();
    const bool reduce = Settings.AAMethod != 0;
    // After a failed preset load some buffers may be gone: draw nothing rather
    // than touch them.
    if (!BackgroundBitmap || !frameBitmap_ || (reduce && !WorkBitmap)) return;

    WindowDC windowDC(Handle());
    UniqueMemoryDC sourceDC(::CreateCompatibleDC(windowDC.get()));
    UniqueMemoryDC workDC(::CreateCompatibleDC(windowDC.get()));
    if (!sourceDC || !workDC) return;
    HGDIOBJ sourceOriginal = ::SelectObject(sourceDC.get(), BackgroundBitmap.get());
    HGDIOBJ workOriginal = ::SelectObject(workDC.get(), reduce ? WorkBitmap.get() : frameBitmap_);
    HDC work = workDC.get();

    ::BitBlt(work, 0, 0, WorkWidth, WorkHeight, sourceDC.get(), 0, 0, SRCCOPY);
    // Plug-in hook: before drawing.

    if (Settings.ShowDate && !preset.DisableDate) {
        char date[100] = {};
        const int length = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 100);
        if (length > 1)
            DrawCentredText(work, date, length - 1, preset.DateFont, preset.DateFontSize, preset.DateColor,
                            preset.DateCenterX, preset.DateCenterY, WorkWidth, WorkHeight);
    }
    if (Settings.ShowAMPM && !preset.DisableAMPM) {
        const char* mark = TheLanguageTable().Text(hour <= 11 ? 10 : 11);
        // Two characters are drawn; a shorter mark draws what it has.
        const int count = static_cast<int>(strnlen(mark, 2));
        if (count > 0)
            DrawCentredText(work, mark, count, preset.AMPMFont, preset.AMPMFontSize, preset.AMPMColor,
                            preset.AMPMCenterX, preset.AMPMCenterY, WorkWidth, WorkHeight);
    }

    if (HourHand) HourHand->Draw(work, HourHandAngle(hour, minute));
    if (MinuteHand) MinuteHand->Draw(work, MinuteHandAngle(minute, second));
    if (SecondHand && Settings.UseSecondHand && preset.HasSecondHand) SecondHand->Draw(work, SecondHandAngle(second));
    // Plug-in hook: after drawing.

    if (reduce) {
        if (Settings.AAMethod == 2) {
            ::SelectObject(work, workOriginal);
            workOriginal = nullptr;
            if (HBITMAP reduced = SmoothShrink(WorkBitmap.get(), WindowWidth, WindowHeight)) {
                if (frameBitmap_ != reduced) {
                    ownedFrame_.reset();
                    frameBitmap_ = reduced;
                }
            }
        } else if (IsNT) {
            ::SelectObject(sourceDC.get(), frameBitmap_);
            ::SetStretchBltMode(sourceDC.get(), HALFTONE);
            ::SetBrushOrgEx(sourceDC.get(), 0, 0, nullptr);
            ::StretchBlt(sourceDC.get(), 0, 0, WindowWidth, WindowHeight, work, 0, 0, WorkWidth, WorkHeight, SRCCOPY);
        } else {
            ::SelectObject(work, workOriginal);
            workOriginal = nullptr;
            UniqueBitmap copy(static_cast<HBITMAP>(
                ::CopyImage(WorkBitmap.get(), IMAGE_BITMAP, WindowWidth, WindowHeight, 0)));
            if (copy) SetFrameBitmap(std::move(copy));
        }
    }
    if (workOriginal) ::SelectObject(work, workOriginal);

    if (LayeredSupported && TheUpdateLayeredWindow) {
        HBITMAP source = frameBitmap_;
        bool perPixelAlpha = false;
        // Without a plane of the frame's size (its resize failed) the frame
        // goes out opaque rather than with a stale or missing alpha.
        const size_t planeSize = static_cast<size_t>(WindowWidth) * static_cast<size_t>(WindowHeight);
        if (preset.BackgroundHasAlpha && AlphaDib && AlphaPlane.size() == planeSize) {
            if (!MergeAlphaPlane(frameBitmap_, AlphaPlane, &AlphaDibHeader, AlphaDibBits))
                ShowMessage(TheLanguageTable().Text(6));
            source = AlphaDib.get();
            perPixelAlpha = true;
        }
        ::SelectObject(sourceDC.get(), source);
        SIZE size = {WindowWidth, WindowHeight};
        POINT origin = {0, 0};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, CurrentAlpha, static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
        TheUpdateLayeredWindow(Handle(), windowDC.get(), nullptr, &size, sourceDC.get(), &origin, 0, &blend,
                               ULW_ALPHA);
    }
    ::SelectObject(sourceDC.get(), sourceOriginal);

    if (!LayeredSupported) ::SendMessageA(Handle(), WM_PAINT, 0, 0);
}

void CTavixDlg::PaintFrame() {
    if (LayeredSupported || !frameBitmap_) return;
    WindowDC windowDC(Handle());
    UniqueMemoryDC memoryDC(::CreateCompatibleDC(windowDC.get()));
    if (!memoryDC) return;
    SelectGuard selected(memoryDC.get(), frameBitmap_);
    ::BitBlt(windowDC.get(), 0, 0, WindowWidth, WindowHeight, memoryDC.get(), 0, 0, SRCCOPY);
}
