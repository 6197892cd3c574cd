#pragma once
// The ring's own settings: HKEY_CURRENT_USER\Software\Quandel\SecondsRing,
// values Color, Width and Size (REG_DWORD). Missing or damaged values read as
// the defaults.

#include "ring_geometry.h"

RingSettings LoadRingSettings();
bool SaveRingSettings(const RingSettings& settings);
