#pragma once
// The items of the clock's context menu, made anew for each showing from the
// settings of the moment.

#include <vector>

#include "app/clock_settings.h"
#include "core/language_strings.h"

enum class MenuCommand { Options, Alarms, Calendar, ClickThrough, Unmovable, OnTop, About, Exit };

struct ContextMenuItem {
    bool separator = false;
    MenuCommand command = MenuCommand::Options;  // not used by a separator
    lang::Text text = lang::kMenuOptions;        // not used by a separator
    bool checked = false;
};

// Top to bottom. Click-through is offered only with layered output, as only a
// layered window can let the mouse through.
std::vector<ContextMenuItem> ContextMenuItems(const ClockSettings& s, bool layeredSupported);
