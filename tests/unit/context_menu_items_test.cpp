#include "app/context_menu_items.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One letter per item, in menu order, upper case when checked, '-' for a
// separator: o options, a alarms, c calendar, t click-through, u unmovable,
// p on top, b about, x exit.
std::string Shape(const std::vector<ContextMenuItem>& items) {
    std::string shape;
    for (const ContextMenuItem& item : items) {
        if (item.separator) {
            shape += '-';
            continue;
        }
        char letter = '?';
        switch (item.command) {
            case MenuCommand::Options:
                letter = 'o';
                break;
            case MenuCommand::Alarms:
                letter = 'a';
                break;
            case MenuCommand::Calendar:
                letter = 'c';
                break;
            case MenuCommand::ClickThrough:
                letter = 't';
                break;
            case MenuCommand::Unmovable:
                letter = 'u';
                break;
            case MenuCommand::OnTop:
                letter = 'p';
                break;
            case MenuCommand::About:
                letter = 'b';
                break;
            case MenuCommand::Exit:
                letter = 'x';
                break;
        }
        shape += item.checked ? static_cast<char>(letter - 'a' + 'A') : letter;
    }
    return shape;
}

}  // namespace

TEST(ContextMenuItems, OrderConditionsAndChecksFollowTheSettings) {
    struct Case {
        int clickThrough, unmovable, onTop;
        bool layered;
        const char* shape;
    } cases[] = {
        {0, 0, 1, true, "oac-tuP-bx"},
        {1, 1, 0, true, "oac-TUp-bx"},
        // Stored flags other than 1 still check their item.
        {5, 0, 0, true, "oac-Tup-bx"},
        // Without layered output there is no click-through, whatever is stored.
        {1, 1, 1, false, "oac-UP-bx"},
        {0, 0, 0, false, "oac-up-bx"},
    };
    for (const Case& c : cases) {
        ClockSettings s;
        s.ClickThrough = c.clickThrough;
        s.UnmovableWin = c.unmovable;
        s.OnTop = c.onTop;
        EXPECT_EQ(Shape(ContextMenuItems(s, c.layered)), c.shape);
    }
}

TEST(ContextMenuItems, EachCommandShowsItsOwnLanguageText) {
    ClockSettings s;
    std::string texts;
    for (const ContextMenuItem& item : ContextMenuItems(s, true)) {
        if (!item.separator)
            texts += std::to_string(item.text) + " ";
    }
    EXPECT_EQ(texts, "76 77 78 79 80 81 82 83 ");
}
