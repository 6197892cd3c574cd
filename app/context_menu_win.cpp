// The clock's pop-up menu: made anew for each showing from the language texts
// and the settings of the moment, and gone when the choice is made.
#include "app/context_menu_win.h"

#include "app/clock_window_win.h"
#include "app/context_menu_items.h"
#include "app/window_placement.h"
#include "res/resource.h"

namespace {

UINT CommandId(MenuCommand command) {
    switch (command) {
        case MenuCommand::Options:
            return ID_CMD_OPTIONS;
        case MenuCommand::Alarms:
            return ID_CMD_ALARMS;
        case MenuCommand::Calendar:
            return ID_CMD_CALENDAR;
        case MenuCommand::ClickThrough:
            return ID_CMD_CLICK_THROUGH;
        case MenuCommand::Unmovable:
            return ID_CMD_UNMOVABLE;
        case MenuCommand::OnTop:
            return ID_CMD_ON_TOP;
        case MenuCommand::About:
            return ID_CMD_ABOUT;
        case MenuCommand::Exit:
            return ID_CMD_EXIT;
    }
    return 0;
}

}  // namespace

UniqueMenu BuildContextMenu(const ClockSettings& settings, bool layeredSupported, const LanguageTable& texts) {
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return menu;
    for (const ContextMenuItem& item : ContextMenuItems(settings, layeredSupported)) {
        if (item.separator) {
            ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        // A text missing from the language file shows as an empty item; a
        // blank keeps it an item that can be chosen on every platform.
        const char* text = texts.Text(item.text);
        const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuA(menu.get(), flags, CommandId(item.command), *text ? text : " ");
    }
    return menu;
}

void CTavixDlg::ShowContextMenu(POINT client) {
    // The right button went down while the left one still drags.
    if (dragging_)
        EndDrag();
    UniqueMenu menu = BuildContextMenu(settings_, layeredSupported_, TheLanguageTable());
    if (!menu)
        return;
    POINT screen = client;
    ::ClientToScreen(Handle(), &screen);
    // A menu whose owner is not the foreground window does not close when the
    // user clicks elsewhere. A click on the clock does not make it the
    // foreground window when it is pinned (no activation) or click-through,
    // and the tray icon's click belongs to the shell.
    ::SetForegroundWindow(Handle());
    ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, Handle(),
                     nullptr);
    // Lets the menu close properly the next time it opens, as the platform
    // asks of a menu shown for a window brought to the front.
    ::PostMessageA(Handle(), WM_NULL, 0, 0);
    // Coming to the front raised a pinned clock above the other windows.
    if (ZOrderFor(settings_) == ZOrder::Bottom)
        ApplyZOrder();
}
