// The time-zone page in a sheet of its own, over a scratch zone database: what
// it lists and selects, and what OK and Cancel do to the clock's zone.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/language_table.h"
#include "options/prop_page_tz_win.h"
#include "options/select_time_zone_win.h"
#include "res/resource.h"
#include "tests/wine/memory_template_win.h"
#include "tests/wine/test_app_win.h"
#include "win/property_sheet_win.h"
#include "win/unique_handle.h"

namespace {

const char* const kScratchPath = "Software\\TavixTests\\TimeZonePage";
const char* const kSheetCaption = "Zone sheet";

TimeZoneDatabase Scratch() {
    return TimeZoneDatabase{HKEY_CURRENT_USER, kScratchPath};
}

void WriteZone(const std::string& name, const std::string& display, LONG bias) {
    BYTE tzi[44] = {};
    memcpy(tzi, &bias, sizeof bias);
    UniqueRegKey key;
    const std::string path = std::string(kScratchPath) + "\\" + name;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key.get(), "TZI", 0, REG_BINARY, tzi, sizeof tzi);
    ::RegSetValueExA(key.get(), "Display", 0, REG_SZ, reinterpret_cast<const BYTE*>(display.c_str()),
                     static_cast<DWORD>(display.size() + 1));
}

struct Item {
    std::string text;
    int32_t data;
};

// What one showing of the page saw and what it is to do.
struct PageRun {
    std::string chooseZone;  // key name; "" the local-time entry; "-" leave the choice alone
    int button = PSBTN_OK;
    std::vector<Item> items;
    std::string selectedText = "(none)";
    BOOL checkVisible = TRUE;
    BOOL checkEnabled = TRUE;
    UINT checkState = 99;
    std::vector<TimeZoneEntry> zones;
};

HWND PageItem(int id) {
    HWND sheet = ::FindWindowA(nullptr, kSheetCaption);
    return ::GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), id);
}

void Observe(void* context) {
    PageRun& run = *static_cast<PageRun*>(context);
    HWND combo = PageItem(IDC_TZ_COMBO);
    const LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[600] = {};
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        run.items.push_back({text, static_cast<int32_t>(::SendMessageA(combo, CB_GETITEMDATA, i, 0))});
    }
    const LRESULT selected = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR)
        run.selectedText = run.items[static_cast<size_t>(selected)].text;
    HWND check = PageItem(IDC_TZ_MULTIPLE);
    run.checkVisible = ::IsWindowVisible(check);
    run.checkEnabled = ::IsWindowEnabled(check);
    run.checkState = static_cast<UINT>(::SendMessageA(check, BM_GETCHECK, 0, 0));
}

void ChooseAndClose(void* context) {
    PageRun& run = *static_cast<PageRun*>(context);
    HWND combo = PageItem(IDC_TZ_COMBO);
    if (run.chooseZone != "-") {
        int32_t wanted = kLocalTimeItemData;
        for (const TimeZoneEntry& zone : run.zones) {
            if (zone.keyName == run.chooseZone)
                wanted = zone.number;
        }
        const LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            if (static_cast<int32_t>(::SendMessageA(combo, CB_GETITEMDATA, i, 0)) == wanted)
                ::SendMessageA(combo, CB_SETCURSEL, i, 0);
        }
    }
    PropSheet_PressButton(::FindWindowA(nullptr, kSheetCaption), run.button);
}

class TimeZonePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheTestApp();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
        // Two zones share a display name; the local-time entry sorts among them.
        WriteZone("Zone A", "(UTC+01:00) Berlin", -60);
        WriteZone("Zone B", "(UTC+01:00) Berlin", -60);
        WriteZone("Zone C", "(UTC-08:00) Pacific", 480);
        WriteZone("Zone D", "Eastern", 300);
        LanguageTable& texts = TheLanguageTable();
        texts.Set(103, "Time zone");
        texts.Set(104, "Local time");
        texts.Set(105, "Show the time of");
    }
    void TearDown() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
        TheLanguageTable().Clear();
    }
};

}  // namespace

TEST_F(TimeZonePageTest, ListsEveryZoneSortedAndKeepsTwinsApart) {
    PageRun run;
    run.zones = ReadTimeZoneList(Scratch());
    run.chooseZone = "-";
    run.button = PSBTN_CANCEL;
    std::string zone = "Zone B";
    int32_t multiple = 1;
    ShownTime shown;
    SelectTimeZone(zone, shown, Scratch());
    CPropPageTZ page(zone, multiple, shown, Scratch());
    CPropertySheet sheet(kSheetCaption);
    sheet.AddPage(&page);
    TimerScript script(&run);
    script.Then(Observe).Then(ChooseAndClose).Start();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);

    std::vector<std::string> texts;
    for (const Item& item : run.items)
        texts.push_back(item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"(UTC+01:00) Berlin", "(UTC+01:00) Berlin", "(UTC-08:00) Pacific",
                                               "Eastern", "Local time"}));
    ASSERT_EQ(run.items.size(), 5u);
    EXPECT_NE(run.items[0].data, run.items[1].data);
    EXPECT_EQ(run.items[4].data, kLocalTimeItemData);
    // The twin that is shown is the one selected, not its namesake.
    const int32_t numberOfB = run.zones[1].number;
    EXPECT_EQ(run.selectedText, "(UTC+01:00) Berlin");
    EXPECT_TRUE(run.items[0].data == numberOfB || run.items[1].data == numberOfB);
    // The multiple-zones box is there with its value, but nobody can see or change it.
    EXPECT_FALSE(run.checkVisible);
    EXPECT_FALSE(run.checkEnabled);
    EXPECT_EQ(run.checkState, static_cast<UINT>(BST_CHECKED));
}

TEST_F(TimeZonePageTest, OkShowsTheChosenZoneAndCancelChangesNothing) {
    struct Case {
        const char* what;
        const char* stored;
        const char* choose;
        int button;
        const char* selectedAtStart;
        const char* zoneAfter;
    } cases[] = {
        {"local time to a twin", "", "Zone B", PSBTN_OK, "Local time", "Zone B"},
        {"a zone to local time", "Zone A", "", PSBTN_OK, "(UTC+01:00) Berlin", ""},
        {"a zone to another", "Zone C", "Zone D", PSBTN_OK, "(UTC-08:00) Pacific", "Zone D"},
        {"Cancel after a choice", "Zone C", "Zone A", PSBTN_CANCEL, "(UTC-08:00) Pacific", "Zone C"},
        // A stored zone the list lacks selects nothing, and OK without a choice keeps it.
        {"OK without a choice", "Gone", "-", PSBTN_OK, "(none)", "Gone"},
    };
    for (const Case& c : cases) {
        PageRun run;
        run.zones = ReadTimeZoneList(Scratch());
        run.chooseZone = c.choose;
        run.button = c.button;
        std::string zone = c.stored;
        int32_t multiple = 1;
        ShownTime shown;
        SelectTimeZone(zone, shown, Scratch());
        zone = c.stored;  // a zone that vanished since the start is still stored
        CPropPageTZ page(zone, multiple, shown, Scratch());
        CPropertySheet sheet(kSheetCaption);
        sheet.AddPage(&page);
        TimerScript script(&run);
        script.Then(Observe).Then(ChooseAndClose).Start();
        EXPECT_EQ(sheet.DoModal(), c.button == PSBTN_OK ? IDOK : IDCANCEL) << c.what;

        EXPECT_EQ(run.selectedText, c.selectedAtStart) << c.what;
        EXPECT_EQ(zone, c.zoneAfter) << c.what;
        const bool stillGone = std::string(c.zoneAfter) == "Gone";
        EXPECT_EQ(shown.ZoneName(), stillGone ? "" : c.zoneAfter) << c.what;
        EXPECT_EQ(shown.HasZone(), !stillGone && *c.zoneAfter != '\0') << c.what;
        EXPECT_EQ(multiple, 1) << c.what;  // passed through the hidden box
    }
}
