#pragma once
// The clock's pop-up menu as the platform's menu object.

#include <windows.h>

#include "app/clock_settings.h"
#include "core/language_table.h"
#include "win/unique_handle.h"

// The items of ContextMenuItems with their command ids, texts from `texts`
// and check marks; null when the menu cannot be made.
UniqueMenu BuildContextMenu(const ClockSettings& settings, bool layeredSupported, const LanguageTable& texts);
