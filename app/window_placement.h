#pragma once
// Where the clock window goes at start-up, from its stored top-left corner.

#include "app/clock_settings.h"
#include "core/settings_store.h"

enum class ZOrder { Topmost, Bottom, Top };

struct WindowPlacement {
    int x;
    int y;
    ZOrder zOrder;
};

// Left and Top (default 10) pulled back onto the screen unless DontReposWindow
// is set; a window larger than the screen ends up at a negative position.
WindowPlacement ComputePlacement(const SettingsStore& store,
                                 const ClockSettings& s,
                                 int screenWidth,
                                 int screenHeight,
                                 int windowWidth,
                                 int windowHeight);

// On top wins over pinned to the desktop; with neither the window is an
// ordinary one (no longer topmost).
ZOrder ZOrderFor(const ClockSettings& s);

// Stores the corner at once, so that a drag survives a process that is killed.
void StoreWindowOrigin(SettingsStore& store, int left, int top);
