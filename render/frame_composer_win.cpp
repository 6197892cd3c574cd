#include "render/frame_composer_win.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "render/alpha_plane_win.h"
#include "render/frame_hooks_win.h"
#include "render/halftone_reach_win.h"
#include "render/hand_geometry.h"
#include "render/smooth_shrink_win.h"
#include "win/platform_entry_points_win.h"
#include "win/surface_bitmap_win.h"
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

// Draws text centered on (centerX, centerY) of a work surface of the given size.
void DrawCenteredText(HDC dc,
                      const std::string& text,
                      HFONT font,
                      uint32_t color,
                      int centerX,
                      int centerY,
                      int workWidth,
                      int workHeight) {
    if (!font || text.empty())
        return;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    SelectGuard selected(dc, font);
    RECT area = {centerX - (workWidth >> 1), centerY - (workHeight >> 1), centerX + (workWidth >> 1),
                 centerY + (workHeight >> 1)};
    ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

// The work surface reduced into the frame by the platform. Neither bitmap may
// stay selected once this returns: the frame is read again for its alpha.
bool StretchToFrame(HDC workDC, HDC frameDC, LoadedPreset& preset, bool halftone) {
    if (!halftone) {
        UniqueBitmap copy(static_cast<HBITMAP>(
            ::CopyImage(preset.WorkSurface(), IMAGE_BITMAP, preset.WindowWidth(), preset.WindowHeight(), 0)));
        if (!copy)
            return false;
        preset.ReplaceFrame(std::move(copy));
        return true;
    }
    return HalftoneStretch(workDC, frameDC, preset.WorkSurface(), preset.Frame(), preset.WorkWidth(),
                           preset.WorkHeight(), preset.WindowWidth(), preset.WindowHeight());
}

}  // namespace

HFONT FrameComposer::TextFont::For(const std::string& face, int size) {
    if (!made_ || size != size_ || face != face_) {
        font_ = CreateTextFont(face, size);
        face_ = face;
        size_ = size;
        made_ = true;
    }
    return font_.get();
}

const std::string& FrameComposer::DateText() {
    SYSTEMTIME today = {};
    if (today_)
        today = today_();
    else
        ::GetLocalTime(&today);
    const uint32_t day = uint32_t{today.wYear} * 10000u + uint32_t{today.wMonth} * 100u + today.wDay;
    if (day != dateDay_) {
        // The computer's own date, whatever time the hands show.
        char text[100] = {};
        const int length = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &today, nullptr, text, 100);
        date_.assign(text, length > 1 ? static_cast<size_t>(length - 1) : 0);
        // A date that cannot be formatted is tried again on the next frame.
        dateDay_ = length > 1 ? day : 0;
    }
    return date_;
}

PixelRect FrameComposer::TextReach::For(HDC dc, const std::string& text, HFONT font, int centerX, int centerY) {
    if (known_ && font == font_ && centerX == centerX_ && centerY == centerY_ && text == text_)
        return reach_;
    SIZE size = {};
    bool measured = false;
    if (font) {
        SelectGuard selected(dc, font);
        measured = ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size) != FALSE;
    }
    if (measured) {
        reach_ = CenteredTextReach(centerX, centerY, size.cx, size.cy);
    } else {
        // Not measured: it may be anywhere.
        reach_ = PixelRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    }
    known_ = true;
    text_ = text;
    font_ = font;
    centerX_ = centerX;
    centerY_ = centerY;
    return reach_;
}

void FrameComposer::DrawTexts(HDC work,
                              const LoadedPreset& preset,
                              const std::string& date,
                              const std::string& mark,
                              const PixelRect* area) {
    const PresetSettings& settings = preset.Settings();
    if (!date.empty()) {
        const HFONT font = dateFont_.For(settings.DateFont, settings.DateFontSize);
        if (!area || Intersects(dateReach_.For(work, date, font, settings.DateCenterX, settings.DateCenterY), *area))
            DrawCenteredText(work, date, font, settings.DateColor, settings.DateCenterX, settings.DateCenterY,
                             preset.WorkWidth(), preset.WorkHeight());
    }
    if (!mark.empty()) {
        const HFONT font = markFont_.For(settings.AMPMFont, settings.AMPMFontSize);
        if (!area || Intersects(markReach_.For(work, mark, font, settings.AMPMCenterX, settings.AMPMCenterY), *area))
            DrawCenteredText(work, mark, font, settings.AMPMColor, settings.AMPMCenterX, settings.AMPMCenterY,
                             preset.WorkWidth(), preset.WorkHeight());
    }
}

bool FrameComposer::EnsureStretchScratch(int width, int height) {
    if (!stretchScratch_ || width != scratchWidth_ || height != scratchHeight_) {
        stretchScratch_ = CreateSurfaceBitmap(width, height);
        scratchWidth_ = width;
        scratchHeight_ = height;
    }
    return static_cast<bool>(stretchScratch_);
}

bool FrameComposer::EnsureDCs() {
    if (!firstDC_)
        firstDC_.reset(::CreateCompatibleDC(nullptr));
    if (!secondDC_)
        secondDC_.reset(::CreateCompatibleDC(nullptr));
    if (!thirdDC_)
        thirdDC_.reset(::CreateCompatibleDC(nullptr));
    return firstDC_ && secondDC_ && thirdDC_;
}

void FrameComposer::Compose(LoadedPreset& preset,
                            const FrameTime& time,
                            const FrameOptions& options,
                            FrameHooks* hooks) {
    if (!preset.Background() || !preset.Frame() || !preset.WorkSurface() || !EnsureDCs()) {
        lastFrameGood_ = false;
        return;
    }
    const bool newPreset = preset.Serial() != lastPreset_;
    if (newPreset) {
        // Fonts and date are made again for a face that was just loaded.
        dateFont_.Forget();
        markFont_.Forget();
        dateReach_.Forget();
        markReach_.Forget();
        dateDay_ = 0;
    }

    const PresetSettings& settings = preset.Settings();
    std::string date;
    if (options.showDate && !settings.DisableDate)
        date = DateText();
    std::string mark;
    if (options.showAMPM && !settings.DisableAMPM) {
        const std::string_view text = TheLanguageTable().Text(time.hour <= 11 ? lang::kAM : lang::kPM);
        // Two characters are drawn (a shorter mark draws what it has, an empty
        // one nothing); on a two-byte code page that may be four bytes, and a
        // character is never cut in half.
        mark.assign(text.data(), LeadingCharacterBytes(text, 2, TheSystemCodePage()));
    }

    // The hands in the order they are drawn, the second hand on top.
    const POINT center = preset.Center();
    CHand* const hands[3] = {preset.HourHand(), preset.MinuteHand(),
                             options.showSecondHand && preset.HasSecondHand() ? preset.SecondHand() : nullptr};
    const double angles[3] = {HourHandAngle(time.hour, time.minute), MinuteHandAngle(time.minute, time.second),
                              SecondHandAngle(time.second)};
    HandTrace traces[3];
    bool reachKnown = true;
    for (int i = 0; i < 3; ++i) {
        if (!hands[i])
            continue;
        traces[i].drawn = true;
        traces[i].angle = angles[i];
        traces[i].reach.Clear();
        reachKnown = hands[i]->Reach(angles[i], center, traces[i].reach) && reachKnown;
    }

    // The first frame of a face or of other options, one after a failed
    // frame, and every frame that hooks may draw on are drawn whole; so are
    // those whose date or mark changed (twice a day at most).
    const PixelRect work = WholeArea(preset.WorkWidth(), preset.WorkHeight());
    const bool whole = wholeFramesOnly_ || !lastFrameGood_ || newPreset || options != lastOptions_ || !reachKnown ||
                       (hooks && hooks->DrawsOnFrames()) || date != lastDate_ || mark != lastMark_;
    AreaList areas;
    if (whole) {
        areas.Add(work);
    } else {
        for (int i = 0; i < 3; ++i) {
            const HandTrace& before = lastHands_[i];
            const HandTrace& now = traces[i];
            if (before.drawn == now.drawn && before.angle == now.angle && before.reach == now.reach)
                continue;
            if (before.drawn)
                areas.Add(before.reach);
            if (now.drawn)
                areas.Add(now.reach);
        }
        areas.ClipTo(work);
        areas.JoinNeighbors(rectangleCost_);
    }
    lastFrameGood_ = false;  // until this one is done
    lastPreset_ = preset.Serial();
    lastOptions_ = options;
    lastDate_ = date;
    lastMark_ = mark;
    for (int i = 0; i < 3; ++i)
        lastHands_[i] = traces[i];
    lastAreaCount_ = areas.Count();
    if (areas.Empty()) {
        // Nothing moved: the frame on hand is this one.
        lastFrameGood_ = true;
        return;
    }

    const bool clipped = !(areas.Count() == 1 && areas[0] == work);
    {
        SelectGuard selectedBackground(firstDC_.get(), preset.Background());
        SelectGuard selectedWork(secondDC_.get(), preset.WorkSurface());
        const HDC workDC = secondDC_.get();
        // Each area is restored and drawn whole before the next, through its
        // own clip: where two overlap, the later one draws the same pixels again.
        for (int k = 0; k < areas.Count(); ++k) {
            const PixelRect& area = areas[k];
            // Whatever clipping a hook left behind goes.
            ::SelectClipRgn(workDC, nullptr);
            if (clipped)
                ::IntersectClipRect(workDC, area.left, area.top, area.right, area.bottom);
            ::BitBlt(workDC, area.left, area.top, area.right - area.left, area.bottom - area.top, firstDC_.get(),
                     area.left, area.top, SRCCOPY);
            if (hooks && k == 0)
                hooks->OnDrawBegin(workDC);
            DrawTexts(workDC, preset, date, mark, clipped ? &area : nullptr);
            for (int i = 0; i < 3; ++i) {
                if (hands[i] && (!clipped || traces[i].reach.Intersects(area)))
                    hands[i]->Draw(workDC, angles[i], center);
            }
        }
        if (hooks)
            hooks->OnDrawedImage(workDC);
        if (clipped)
            ::SelectClipRgn(workDC, nullptr);
    }

    // Both surfaces are out of their DCs here: reductions read them as bitmaps.
    const PixelRect window = WholeArea(preset.WindowWidth(), preset.WindowHeight());
    // What changed at the window size; none while the whole window did.
    AreaList changed;
    bool changedWhole = true;
    bool reduced = true;
    AreaList parts;
    if (clipped && preset.Smoothing() != SmoothingMethod::None)
        for (const PixelRect& area : areas)
            parts.Add(HalvedArea(area, preset.WindowWidth(), preset.WindowHeight()));
    // The platform stretch's scratch is kept only while the platform smooths.
    if (preset.Smoothing() != SmoothingMethod::System)
        stretchScratch_.reset();
    switch (preset.Smoothing()) {
        case SmoothingMethod::None:
            changed = areas;
            changedWhole = !clipped;
            break;
        case SmoothingMethod::Own: {
            ReductionCache& cache = cache_ ? *cache_ : TheReductionCache();
            HBITMAP frame = nullptr;
            if (clipped) {
                frame = cache.ShrinkAreas(preset.WorkSurface(), preset.WindowWidth(), preset.WindowHeight(), parts);
                if (frame) {
                    changed = parts;
                    changedWhole = false;
                }
            }
            if (!frame)
                frame = cache.Shrink(preset.WorkSurface(), preset.WindowWidth(), preset.WindowHeight());
            if (frame)
                preset.UseReducedFrame(frame);
            reduced = frame != nullptr;
            break;
        }
        case SmoothingMethod::System: {
            // The platform's filter reaches past the area by an amount it does
            // not tell: an area is stretched alone only where a halving was
            // found to give the whole stretch's pixels; else the whole frame.
            const bool halving =
                preset.WorkWidth() == 2 * preset.WindowWidth() && preset.WorkHeight() == 2 * preset.WindowHeight();
            if (clipped && options.halftone && halving && HalftoneHalvingReach() >= 0 &&
                EnsureStretchScratch(preset.WindowWidth(), preset.WindowHeight())) {
                if (StretchHalvedParts(firstDC_.get(), secondDC_.get(), thirdDC_.get(), preset.WorkSurface(),
                                       stretchScratch_.get(), preset.Frame(), parts, window, HalftoneHalvingReach())) {
                    changed = parts;
                    changedWhole = false;
                }
            }
            if (changedWhole)
                reduced = StretchToFrame(firstDC_.get(), secondDC_.get(), preset, options.halftone);
            break;
        }
    }
    if (changedWhole || !reduced)
        presentWhole_ = true;
    else
        presentAreas_.Add(changed);
    lastFrameGood_ = reduced;
}

FrameResult FrameComposer::PresentLayered(HWND window, LoadedPreset& preset, uint8_t alpha) {
    if (!TheUpdateLayeredWindow || !preset.Frame())
        return FrameResult::Drawn;
    const PixelRect whole = WholeArea(preset.WindowWidth(), preset.WindowHeight());
    const bool presentWhole = presentWhole_ || wholeFramesOnly_ || window != lastWindow_;
    AreaList areas;
    if (presentWhole) {
        areas.Add(whole);
    } else {
        areas = presentAreas_;
        areas.ClipTo(whole);
    }
    if (areas.Empty() && alpha == lastAlpha_)
        return FrameResult::Drawn;
    if (!EnsureDCs())
        return FrameResult::Drawn;
    FrameResult result = FrameResult::Drawn;
    HBITMAP source = preset.Frame();
    bool perPixelAlpha = false;
    // Without a plane of the frame's size (its resize failed) the frame goes
    // out opaque rather than with a stale or missing alpha. The frame is not
    // selected anywhere while its rows are read.
    if (preset.HasAlphaSurface()) {
        const bool merged = presentWhole
                                ? MergeAlphaPlane(preset.Frame(), preset.AlphaPlane(), preset.AlphaDibHeader(),
                                                  preset.AlphaDibBits(), preset.AlphaPlaneKind())
                                : MergeAlphaPlaneAreas(preset.Frame(), preset.AlphaDib(), preset.AlphaPlane(),
                                                       *preset.AlphaDibHeader(), preset.AlphaDibBits(),
                                                       preset.AlphaPlaneKind(), areas, firstDC_.get(), secondDC_.get());
        if (!merged) {
            result = FrameResult::AlphaMergeFailed;
            lastFrameGood_ = false;
        }
        source = preset.AlphaDib();
        perPixelAlpha = true;
    }
    WindowDC windowDC(window);
    SelectGuard selected(firstDC_.get(), source);
    SIZE size = {preset.WindowWidth(), preset.WindowHeight()};
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    BOOL updated = FALSE;
    const UpdateLayeredWindowIndirectFn updateArea = TheUpdateLayeredWindowIndirect;
    if (!presentWhole && alpha == lastAlpha_ && updateArea) {
        // Only what lies within the changed areas is new to the window's copy of the frame.
        const PixelRect bounds = areas.Bounds();
        const RECT dirty = {bounds.left, bounds.top, bounds.right, bounds.bottom};
        UPDATELAYEREDWINDOWINFO info = {};
        info.cbSize = sizeof info;
        info.hdcDst = windowDC.get();
        info.psize = &size;
        info.hdcSrc = firstDC_.get();
        info.pptSrc = &origin;
        info.pblend = &blend;
        info.dwFlags = ULW_ALPHA;
        info.prcDirty = &dirty;
        updated = updateArea(window, &info);
    }
    if (!updated)
        TheUpdateLayeredWindow(window, windowDC.get(), nullptr, &size, firstDC_.get(), &origin, 0, &blend, ULW_ALPHA);
    presentWhole_ = false;
    presentAreas_.Clear();
    lastWindow_ = window;
    lastAlpha_ = alpha;
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
