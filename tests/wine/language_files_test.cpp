// The shipped language files on Windows: their UTF-8 texts converted into
// real code pages, every text present in the code page of its language, and
// every text fitting the control it is shown in when drawn with the dialog's
// font. The files are copied beside the test binary (Lang\) by the build.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/language_table.h"
#include "render/month_cal_layout.h"
#include "res/resource.h"
#include "tests/unit/code_page_stand_ins.h"
#include "win/system_code_page_win.h"
#include "win/unique_handle.h"

namespace {

struct Shipped {
    const char* file;
    unsigned codePage;  // the code page of the systems that speak the language
};

constexpr Shipped kShipped[] = {
    {"english.lng", 1252}, {"german.lng", 1252},  {"french.lng", 1252},
    {"spanish.lng", 1252}, {"italian.lng", 1252}, {"portuguese_brazil.lng", 1252},
    {"dutch.lng", 1252},   {"polish.lng", 1250},  {"czech.lng", 1250},
    {"russian.lng", 1251}, {"japanese.lng", 932}, {"chinese_simplified.lng", 936},
};

std::string LangFolder() {
    char path[MAX_PATH];
    const std::string exe(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.find_last_of('\\') + 1) + "Lang\\";
}

// The file's texts as they are written (UTF-8, or ASCII for english.lng).
LanguageTable LoadAsWritten(const char* file) {
    static const Utf8StandIn utf8;
    LanguageTable table;
    const std::string path = LangFolder() + file;
    const LanguageLoadResult result = LoadLanguageFile(path, table, utf8);
    EXPECT_TRUE(result.ok()) << LanguageLoadMessage(result, path);
    return table;
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                          &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

}  // namespace

TEST(LanguageFiles, Utf8TextsAreConvertedIntoTheCodePage) {
    struct Case {
        const char* name;
        unsigned codePage;
        const char* utf8;
        const char* expected;
    } cases[] = {
        {"Western", 1252,
         "Gr\xC3\xBC\xC3\x9F"
         "e",
         "Gr\xFC\xDF"
         "e"},
        {"Cyrillic", 1251, "\xD0\x9E\xD0\xBA\xD0\xBD\xD0\xBE", "\xCE\xEA\xED\xEE"},
        {"Central European", 1250,
         "W\xC5\x82\xC4\x85"
         "cz",
         "W\xB3\xB9"
         "cz"},
        {"Japanese, two bytes a character", 932, "\xE5\x8D\x88\xE5\x89\x8D", "\x8C\xDF\x91\x4F"},
        {"Simplified Chinese", 936, "\xE4\xB8\x8A\xE5\x8D\x88", "\xC9\xCF\xCE\xE7"},
        // What the code page lacks becomes its default character, never a look-alike.
        {"Polish on a Western system", 1252,
         "W\xC5\x82\xC4\x85"
         "cz",
         "W??cz"},
        {"Cyrillic on a Western system", 1252, "\xD0\x9E\xD0\xBA", "??"},
        {"Japanese on a Cyrillic system", 1251, "\xE5\x8D\x88", "?"},
        {"damaged UTF-8", 1252, "a\xC3(b", "a?(b"},
        {"empty", 1252, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowsCodePage(c.codePage).FromUtf8(c.utf8), c.expected) << c.name;

    EXPECT_TRUE(WindowsCodePage(932).IsLeadByte(0x8C));
    EXPECT_FALSE(WindowsCodePage(932).IsLeadByte('A'));
    EXPECT_FALSE(WindowsCodePage(1252).IsLeadByte(0x8C));
}

// A translation whose characters its readers' code page lacks shows them as
// question marks on exactly the systems it is written for.
TEST(LanguageFiles, EveryTextExistsInTheCodePageOfItsLanguage) {
    for (const Shipped& shipped : kShipped) {
        const LanguageTable table = LoadAsWritten(shipped.file);
        for (int n = 1; n < LanguageTable::kSlotCount; ++n) {
            const std::wstring text = Wide(table.Text(n));
            if (text.empty())
                continue;
            BOOL lacking = FALSE;
            ::WideCharToMultiByte(shipped.codePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                  nullptr, 0, nullptr, &lacking);
            EXPECT_FALSE(lacking) << shipped.file << " text " << n << " has characters code page " << shipped.codePage
                                  << " lacks";
        }
    }
}

namespace {

enum class Kind { Label, Button, CheckBox, Group, ComboItem };

struct Placement {
    int dialog;
    int control;
    int text;
    Kind kind;
};

// Which text each control of the templates shows, as the dialogs set them.
constexpr Placement kPlacements[] = {
    {IDD_OPTIONS_WINDOW, IDC_WIN_OPACITY_GROUP, 14, Kind::Group},
    {IDD_OPTIONS_WINDOW, IDC_WIN_ALPHA2_GROUP, 90, Kind::Group},
    {IDD_OPTIONS_WINDOW, IDC_WIN_USE_ALPHA2, 5, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_WINDOW_GROUP, 23, Kind::Group},
    {IDD_OPTIONS_WINDOW, IDC_WIN_ON_TOP, 24, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_PIN_TO_DESKTOP, 25, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_CLICK_THROUGH, 26, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_UNMOVABLE, 27, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_LIMIT_POS, 28, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_HIDE_ALT_TAB, 88, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_TIME_IN_TRAY, 86, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_PRIORITY_GROUP, 15, Kind::Group},
    {IDD_OPTIONS_WINDOW, IDC_WIN_PRIORITY_LOW, 16, Kind::Label},
    {IDD_OPTIONS_WINDOW, IDC_WIN_PRIORITY_NORMAL, 17, Kind::Label},
    {IDD_OPTIONS_WINDOW, IDC_WIN_PRIORITY_HIGH, 18, Kind::Label},
    {IDD_OPTIONS_WINDOW, IDC_WIN_LANGUAGE_GROUP, 85, Kind::Group},
    {IDD_OPTIONS_WINDOW, IDC_WIN_START_GROUP, 33, Kind::Group},
    {IDD_OPTIONS_WINDOW, IDC_WIN_START_ALL_USERS, 34, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_START_THIS_USER, 35, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_DONT_REPOS, 36, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_MULTIPLE, 89, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_SMOOTH_GROUP, 19, Kind::Group},
    {IDD_OPTIONS_WINDOW, IDC_WIN_SMOOTH_NONE, 20, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_SMOOTH_SYSTEM, 21, Kind::CheckBox},
    {IDD_OPTIONS_WINDOW, IDC_WIN_SMOOTH_OWN, 22, Kind::CheckBox},
    {IDD_OPTIONS_BACKGROUND, IDC_BKG_PRESET_GROUP, 32, Kind::Group},
    {IDD_OPTIONS_BACKGROUND, IDC_BKG_DISPLAY_GROUP, 29, Kind::Group},
    {IDD_OPTIONS_BACKGROUND, IDC_BKG_SHOW_AMPM, 30, Kind::CheckBox},
    {IDD_OPTIONS_BACKGROUND, IDC_BKG_SHOW_DATE, 87, Kind::CheckBox},
    {IDD_OPTIONS_BACKGROUND, IDC_BKG_SECOND_HAND, 91, Kind::CheckBox},
    {IDD_OPTIONS_BACKGROUND, IDC_BKG_ZOOM_GROUP, 92, Kind::Group},
    {IDD_OPTIONS_BACKGROUND, IDC_BKG_USE_ZOOM, 5, Kind::CheckBox},
    {IDD_OPTIONS_PLUGINS, IDC_PLUG_GROUP, 98, Kind::Group},
    {IDD_OPTIONS_PLUGINS, IDC_PLUG_CONFIGURE, 99, Kind::Button},
    {IDD_OPTIONS_PLUGINS, IDC_PLUG_NOTE, 102, Kind::Label},
    {IDD_PROP_PAGE_TZ, IDC_TZ_GROUP, 105, Kind::Group},
    {IDD_PROP_PAGE_TZ, IDC_TZ_COMBO, 104, Kind::ComboItem},
    {IDD_ALARMS, IDC_ALARMS_NEW, 41, Kind::Button},
    {IDD_ALARMS, IDC_ALARMS_EDIT, 42, Kind::Button},
    {IDD_ALARMS, IDC_ALARMS_DELETE, 43, Kind::Button},
    {IDD_ALARMS, IDC_ALARMS_TEST, 44, Kind::Button},
    {IDD_ALARMS, IDOK, 38, Kind::Button},
    {IDD_ALARM_EDIT, IDC_EDIT_NAME_LABEL, 56, Kind::Label},
    {IDD_ALARM_EDIT, IDC_EDIT_REPEAT_LABEL, 57, Kind::Label},
    {IDD_ALARM_EDIT, IDC_EDIT_START_LABEL, 93, Kind::Label},
    {IDD_ALARM_EDIT, IDC_EDIT_TIME_LABEL, 58, Kind::Label},
    {IDD_ALARM_EDIT, IDC_EDIT_MINUTES_LABEL, 94, Kind::Label},
    {IDD_ALARM_EDIT, IDC_EDIT_ACTIONS, 59, Kind::Group},
    {IDD_ALARM_EDIT, IDC_EDIT_NOTICE_CHECK, 60, Kind::CheckBox},
    {IDD_ALARM_EDIT, IDC_EDIT_NOTICE_LABEL, 61, Kind::Label},
    {IDD_ALARM_EDIT, IDC_EDIT_SOUND_CHECK, 62, Kind::CheckBox},
    {IDD_ALARM_EDIT, IDC_EDIT_SECONDS_LABEL, 96, Kind::Label},
    {IDD_ALARM_EDIT, IDC_EDIT_LOOP_CHECK, 95, Kind::CheckBox},
    {IDD_ALARM_EDIT, IDC_EDIT_PROGRAM_CHECK, 63, Kind::CheckBox},
    {IDD_ALARM_EDIT, IDC_EDIT_SHUTDOWN_CHECK, 64, Kind::CheckBox},
    {IDD_ALARM_EDIT, IDOK, 38, Kind::Button},
    {IDD_ALARM_EDIT, IDCANCEL, 39, Kind::Button},
    // The repetition list: once, daily, weekly, monthly, yearly, every N minutes.
    {IDD_ALARM_EDIT, IDC_EDIT_REPEAT, 54, Kind::ComboItem},
    {IDD_ALARM_EDIT, IDC_EDIT_REPEAT, 50, Kind::ComboItem},
    {IDD_ALARM_EDIT, IDC_EDIT_REPEAT, 51, Kind::ComboItem},
    {IDD_ALARM_EDIT, IDC_EDIT_REPEAT, 52, Kind::ComboItem},
    {IDD_ALARM_EDIT, IDC_EDIT_REPEAT, 53, Kind::ComboItem},
    {IDD_ALARM_EDIT, IDC_EDIT_REPEAT, 31, Kind::ComboItem},
    {IDD_SHOW_ALARM, IDOK, 40, Kind::Button},
    {IDD_SHOW_ALARM, IDC_ALARM_SNOOZE, 107, Kind::Button},
};

// Texts of the templates that no language file sets: numbers shown at run
// time, the browse buttons, and the time-zone page's hidden switch.
constexpr int kFixedTexts[] = {IDC_WIN_ALPHA_VALUE,   IDC_WIN_ALPHA2_VALUE,    IDC_BKG_ZOOM_VALUE,
                               IDC_EDIT_BROWSE_SOUND, IDC_EDIT_BROWSE_PROGRAM, IDC_TZ_MULTIPLE_GROUP,
                               IDC_TZ_MULTIPLE};

constexpr int kDialogs[] = {IDD_OPTIONS_WINDOW, IDD_OPTIONS_BACKGROUND, IDD_OPTIONS_PLUGINS, IDD_PROP_PAGE_TZ,
                            IDD_ALARMS,         IDD_ALARM_EDIT,         IDD_SHOW_ALARM,      IDD_CLOCK};

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A template made into a hidden window, so that its font and its controls'
// sizes are the ones Windows gives them.
class Measured {
public:
    Measured(int dialog, HWND parent)
        : window_(::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog), parent, QuietDialog, 0)),
          dc_(window_.get()),
          selected_(dc_.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(window_.get(), WM_GETFONT, 0, 0))) {
        ::GetTextMetricsW(dc_.get(), &metrics_);
    }

    HWND window() const { return window_.get(); }

    // The width of a text as a control draws it: '&' marks the accelerator
    // ("&&" shows one). A character the font lacks (Wine here has no East
    // Asian font) counts as wide as the font is high, as wide as such a
    // character is in the fonts Windows links in for it.
    int TextWidth(const std::wstring& text) const {
        std::wstring shown;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == L'&' && ++i >= text.size())
                break;
            shown += text[i];
        }
        if (shown.empty())
            return 0;
        std::vector<WORD> glyphs(shown.size());
        ::GetGlyphIndicesW(dc_.get(), shown.c_str(), static_cast<int>(shown.size()), glyphs.data(),
                           GGI_MARK_NONEXISTING_GLYPHS);
        std::wstring present;
        int lacking = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (glyphs[i] == 0xFFFF)
                ++lacking;
            else
                present += shown[i];
        }
        SIZE size = {};
        if (!present.empty())
            ::GetTextExtentPoint32W(dc_.get(), present.c_str(), static_cast<int>(present.size()), &size);
        return size.cx + lacking * metrics_.tmHeight;
    }

    // The room for a text in a control of the given client width.
    int Room(Kind kind, int width) const {
        switch (kind) {
            case Kind::Label:
                return width;
            case Kind::Button:
                // The raised edge and the focus rectangle on both sides.
                return width - 6;
            case Kind::CheckBox:
                // The box and the gap before the text.
                return width - ::GetSystemMetrics(SM_CXMENUCHECK) - 5;
            case Kind::Group:
                // The caption is set into the frame, a little in from either end.
                return width - 2 * metrics_.tmAveCharWidth - 4;
            case Kind::ComboItem:
                return width - ::GetSystemMetrics(SM_CXVSCROLL) - 6;
        }
        return width;
    }

    int DialogUnitsToPixels(int width) const {
        RECT r = {0, 0, width, 0};
        ::MapDialogRect(window_.get(), &r);
        return r.right;
    }

private:
    UniqueWindow window_;
    WindowDC dc_;
    SelectGuard selected_;
    TEXTMETRICW metrics_ = {};
};

int ClientWidth(HWND control) {
    RECT r = {};
    ::GetClientRect(control, &r);
    return r.right;
}

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 4, '\0');
    out.resize(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                         &out[0], static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

}  // namespace

TEST(LanguageFiles, EveryTextFitsItsControl) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&classes);
    // Pages are child dialogs: they need a parent to exist.
    UniqueWindow parent(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(parent);

    std::vector<std::unique_ptr<Measured>> dialogs;
    auto dialogOf = [&dialogs](int id) -> const Measured& {
        for (size_t i = 0; i < std::size(kDialogs); ++i) {
            if (kDialogs[i] == id)
                return *dialogs[i];
        }
        throw std::logic_error("dialog not measured");
    };
    for (int id : kDialogs) {
        dialogs.push_back(std::make_unique<Measured>(id, parent.get()));
        ASSERT_NE(dialogs.back()->window(), nullptr) << "template " << id;
    }

    // Every text a template shows is in the table, so that a new control is
    // measured too.
    for (int id : kDialogs) {
        HWND dialog = dialogOf(id).window();
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[32] = L"";
            ::GetClassNameW(child, className, 32);
            const int control = ::GetDlgCtrlID(child);
            if ((lstrcmpiW(className, L"Button") != 0 && lstrcmpiW(className, L"Static") != 0) ||
                ::GetWindowTextLengthW(child) == 0 ||
                std::count(std::begin(kFixedTexts), std::end(kFixedTexts), control))
                continue;
            bool placed = false;
            for (const Placement& p : kPlacements)
                placed = placed || (p.dialog == id && p.control == control);
            EXPECT_TRUE(placed) << "control " << control << " of template " << id << " has no language text";
        }
    }

    // What each text must fit: the controls of the table, the options sheet's
    // buttons (as wide as the templates' buttons, 50 units) and the
    // calendar's button (laid out in pixels).
    struct Slot {
        const Measured& dialog;
        int text;
        Kind kind;
        int width;
        std::string where;
    };
    std::vector<Slot> slots;
    for (const Placement& p : kPlacements) {
        const Measured& dialog = dialogOf(p.dialog);
        HWND control = ::GetDlgItem(dialog.window(), p.control);
        ASSERT_NE(control, nullptr) << "control " << p.control << " of template " << p.dialog;
        slots.push_back({dialog, p.text, p.kind, ClientWidth(control),
                         "control " + std::to_string(p.control) + " of template " + std::to_string(p.dialog)});
    }
    const Measured& windowPage = dialogOf(IDD_OPTIONS_WINDOW);
    for (int text : {38, 39, 106})
        slots.push_back({windowPage, text, Kind::Button, windowPage.DialogUnitsToPixels(50), "options sheet button"});
    const CalendarRect button = LayOutMonthCalendar(std::nullopt).okButton;
    slots.push_back({dialogOf(IDD_CLOCK), 40, Kind::Button, button.right - button.left, "calendar button"});

    for (const Shipped& shipped : kShipped) {
        const LanguageTable table = LoadAsWritten(shipped.file);
        for (const Slot& slot : slots) {
            const std::wstring text = Wide(table.Text(slot.text));
            const int needed = slot.dialog.TextWidth(text);
            const int room = slot.dialog.Room(slot.kind, slot.width);
            EXPECT_LE(needed, room) << shipped.file << " text " << slot.text << " \"" << Utf8(text) << "\" in "
                                    << slot.where;
        }
        // The four tab titles side by side on the sheet, each with its padding.
        int tabs = 0;
        for (int text : {3, 4, 103, 97})
            tabs += windowPage.TextWidth(Wide(table.Text(text))) + 2 * 6;
        EXPECT_LE(tabs, windowPage.DialogUnitsToPixels(283)) << shipped.file << " tab titles";
    }
}
