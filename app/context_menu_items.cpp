#include "app/context_menu_items.h"

namespace {

ContextMenuItem Command(MenuCommand command, lang::Text text, bool checked = false) {
    ContextMenuItem item;
    item.command = command;
    item.text = text;
    item.checked = checked;
    return item;
}

ContextMenuItem Separator() {
    ContextMenuItem item;
    item.separator = true;
    return item;
}

}  // namespace

std::vector<ContextMenuItem> ContextMenuItems(const ClockSettings& s, bool layeredSupported) {
    std::vector<ContextMenuItem> items = {
        Command(MenuCommand::Options, lang::kMenuOptions),
        Command(MenuCommand::Alarms, lang::kMenuAlarms),
        Command(MenuCommand::Calendar, lang::kMenuCalendar),
        Separator(),
    };
    if (layeredSupported)
        items.push_back(Command(MenuCommand::ClickThrough, lang::kMenuClickThrough, s.ClickThrough != 0));
    items.push_back(Command(MenuCommand::Unmovable, lang::kMenuUnmovable, s.UnmovableWin != 0));
    items.push_back(Command(MenuCommand::OnTop, lang::kMenuOnTop, s.OnTop != 0));
    items.push_back(Separator());
    items.push_back(Command(MenuCommand::About, lang::kMenuAbout));
    items.push_back(Command(MenuCommand::Exit, lang::kMenuExit));
    return items;
}
