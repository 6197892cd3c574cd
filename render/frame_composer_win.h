#pragma once
// One frame of the clock: background, hooks, date, AM/PM mark, hands,
// reduction to the window size, then one transfer to the screen. From one frame
// to the next only the area the hands left and entered is drawn, reduced,
// merged and handed over; the result is the whole frame's, pixel for pixel.

#include <windows.h>

#include <cstdint>
#include <string>

#include "render/area_list.h"
#include "render/loaded_preset_win.h"
#include "win/unique_handle.h"

class FrameHooks;
class ReductionCache;

struct FrameTime {
    uint16_t hour;  // 0..23
    uint16_t minute;
    uint16_t second;
};

// The options a frame reads.
struct FrameOptions {
    bool showDate = false;
    bool showAMPM = false;
    bool showSecondHand = true;  // the option; the preset must have a second hand too
    bool halftone = true;        // the platform's reduction may use halftone stretching

    bool operator==(const FrameOptions& other) const {
        return showDate == other.showDate && showAMPM == other.showAMPM && showSecondHand == other.showSecondHand &&
               halftone == other.halftone;
    }
    bool operator!=(const FrameOptions& other) const { return !(*this == other); }
};

enum class FrameResult {
    Drawn,
    AlphaMergeFailed,  // the frame went out without the face's opacity
};

class FrameComposer {
public:
    // Draws the frame for the time into the preset's frame bitmap. hooks may be null.
    void Compose(LoadedPreset& preset, const FrameTime& time, const FrameOptions& options, FrameHooks* hooks);

    // Hands the finished frame to a layered window with the given constant
    // opacity, carrying the face's own alpha when it has one.
    FrameResult PresentLayered(HWND window, LoadedPreset& preset, uint8_t alpha);

    // Copies the finished frame onto a window that is not layered.
    static void Paint(HWND window, const LoadedPreset& preset);

    // Every frame drawn and handed over whole, as the yardstick of the areas.
    void DrawWholeFrames(bool whole) { wholeFramesOnly_ = whole; }
    // What one more rectangle is taken to cost, in pixels of the work surface;
    // 0 keeps every piece of every hand a rectangle of its own.
    void UseRectangleCost(int64_t cost) { rectangleCost_ = cost; }
    // How many rectangles the last frame was drawn in; 0 when nothing moved.
    int LastAreaCount() const { return lastAreaCount_; }
    // Our own reduction keeps its buffers here instead of the process-wide
    // cache; the cache must outlive every preset this composer drew.
    void UseReductionCache(ReductionCache& cache) { cache_ = &cache; }
    // Where the date comes from: the computer's local date unless set.
    using TodayFn = SYSTEMTIME (*)();
    void UseToday(TodayFn today) { today_ = today; }

private:
    // A font of the preset's texts, made when its face or size first differs
    // from the last one's and kept.
    class TextFont {
    public:
        HFONT For(const std::string& face, int size);
        void Forget() {
            made_ = false;
            font_.reset();
        }

    private:
        std::string face_;
        int size_ = 0;
        bool made_ = false;
        UniqueFont font_;
    };

    // Where a text may put pixels: its extent about its center, grown by its
    // height for overhanging and smoothed glyphs. Measured again when the
    // text, its font or its place changes.
    class TextReach {
    public:
        PixelRect For(HDC dc, const std::string& text, HFONT font, int centerX, int centerY);
        void Forget() { known_ = false; }

    private:
        bool known_ = false;
        std::string text_;
        HFONT font_ = nullptr;
        int centerX_ = 0;
        int centerY_ = 0;
        PixelRect reach_;
    };

    // What a hand drew in a frame.
    struct HandTrace {
        bool drawn = false;
        double angle = 0.0;
        AreaList reach;
    };

    // Memory DCs kept for the clock's life: a frame selects its bitmaps into
    // them and out again, instead of making DCs every second.
    bool EnsureDCs();
    // Where the platform's stretch of an area goes before its part is copied
    // into the frame: a bitmap of the window's size, kept between frames.
    bool EnsureStretchScratch(int width, int height);
    // The computer's short date, formatted again when the day changes.
    const std::string& DateText();
    // Draws the date and the mark; with an area, only those that may reach into it.
    void DrawTexts(HDC work,
                   const LoadedPreset& preset,
                   const std::string& date,
                   const std::string& mark,
                   const PixelRect* area);

    ReductionCache* cache_ = nullptr;
    TodayFn today_ = nullptr;
    UniqueMemoryDC firstDC_;
    UniqueMemoryDC secondDC_;
    UniqueMemoryDC thirdDC_;
    UniqueBitmap stretchScratch_;
    int scratchWidth_ = 0;
    int scratchHeight_ = 0;
    TextFont dateFont_;
    TextFont markFont_;
    TextReach dateReach_;
    TextReach markReach_;
    std::string date_;
    uint32_t dateDay_ = 0;  // year, month and day of date_; 0 before the first

    // The frame before, which the next one is drawn over.
    bool wholeFramesOnly_ = false;
    bool lastFrameGood_ = false;
    int lastAreaCount_ = 0;
    int64_t rectangleCost_ = kRectangleCostInPixels;
    uint64_t lastPreset_ = 0;
    FrameOptions lastOptions_;
    std::string lastDate_;
    std::string lastMark_;
    HandTrace lastHands_[3];

    // What changed at the window size since the window last got a frame.
    bool presentWhole_ = true;
    AreaList presentAreas_;
    HWND lastWindow_ = nullptr;
    uint8_t lastAlpha_ = 0;
};
