#pragma once
// One frame of the clock: background, hooks, date, AM/PM mark, hands,
// reduction to the window size, then one transfer to the screen.

#include <windows.h>

#include <cstdint>

#include "render/loaded_preset_win.h"
#include "win/unique_handle.h"

class FrameHooks;

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

private:
    // Two memory DCs kept for the clock's life: a frame selects its bitmaps
    // into them and out again, instead of making DCs every second.
    bool EnsureDCs();

    UniqueMemoryDC firstDC_;
    UniqueMemoryDC secondDC_;
};
