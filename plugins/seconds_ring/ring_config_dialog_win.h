#pragma once
// The ring's settings dialog, shown by OnConfig.

#include <windows.h>

#include "ring_geometry.h"

// Shows the dialog owned by `owner`, starting from `settings`. True, with the
// new values in `settings`, when the user pressed OK.
bool RunRingConfigDialog(HMODULE module, HWND owner, RingSettings& settings);
