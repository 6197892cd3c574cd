// The clock's pop-up menu as the platform holds it: ids, texts, check marks and
// separators, read back with GetMenuItemInfoA.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/context_menu_win.h"
#include "res/resource.h"

namespace {

struct Item {
    UINT id;
    bool separator;
    bool checked;
    std::string text;
};

std::vector<Item> ReadMenu(HMENU menu) {
    std::vector<Item> items;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        EXPECT_TRUE(::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        // Every item can be chosen; the platform marks separators disabled.
        if (!(info.fType & MFT_SEPARATOR))
            EXPECT_FALSE(info.fState & MFS_DISABLED) << "item " << i;
        items.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_CHECKED) != 0, text});
    }
    return items;
}

LanguageTable Texts() {
    LanguageTable table;
    for (int n = 76; n <= 83; ++n)
        table.Set(static_cast<unsigned>(n), "text " + std::to_string(n));
    return table;
}

}  // namespace

TEST(ContextMenu, ItemsCarryTheirIdsTextsAndCheckMarks) {
    ClockSettings s;
    s.ClickThrough = 1;
    s.UnmovableWin = 0;
    s.OnTop = 1;
    UniqueMenu menu = BuildContextMenu(s, true, Texts());
    ASSERT_TRUE(menu);
    const std::vector<Item> items = ReadMenu(menu.get());
    const Item expected[] = {
        {ID_CMD_OPTIONS, false, false, "text 76"},      {ID_CMD_ALARMS, false, false, "text 77"},
        {ID_CMD_CALENDAR, false, false, "text 78"},     {0, true, false, ""},
        {ID_CMD_CLICK_THROUGH, false, true, "text 79"}, {ID_CMD_UNMOVABLE, false, false, "text 80"},
        {ID_CMD_ON_TOP, false, true, "text 81"},        {0, true, false, ""},
        {ID_CMD_ABOUT, false, false, "text 82"},        {ID_CMD_EXIT, false, false, "text 83"},
    };
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].separator, expected[i].separator) << i;
        if (expected[i].separator)
            continue;
        EXPECT_EQ(items[i].id, expected[i].id) << i;
        EXPECT_EQ(items[i].checked, expected[i].checked) << i;
        EXPECT_EQ(items[i].text, expected[i].text) << i;
    }
}

TEST(ContextMenu, MissingTextsGiveEmptyItemsAndAmpersandsStayAccelerators) {
    LanguageTable table;  // nothing loaded but Exit
    table.Set(83, "E&xit");
    ClockSettings s;
    UniqueMenu menu = BuildContextMenu(s, false, table);
    ASSERT_TRUE(menu);
    const std::vector<Item> items = ReadMenu(menu.get());
    ASSERT_EQ(items.size(), 9u);  // no Click-through without layered output
    for (const Item& item : items) {
        if (item.separator || item.id == ID_CMD_EXIT)
            continue;
        EXPECT_EQ(item.text.find_first_not_of(' '), std::string::npos) << "item " << item.id << ": " << item.text;
    }
    // Passed on as it is, so the platform underlines x and takes it as the key.
    EXPECT_EQ(items.back().text, "E&xit");
}
