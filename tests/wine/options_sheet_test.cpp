// The options sheet on a real clock window, driven by messages: live preview
// and its undoing, the autostart values, the sheet's position memory and the
// plug-in list, over a scratch folder and a scratch registry key.

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/clock_options_target_win.h"
#include "app/clock_settings.h"
#include "app/clock_window_win.h"
#include "app/registry_store_win.h"
#include "core/language_table.h"
#include "options/options_sheet_win.h"
#include "res/resource.h"
#include "tests/wine/bare_clock_win.h"
#include "tests/wine/bitmap_file_win.h"
#include "tests/wine/dialog_script_win.h"
#include "tests/wine/test_app_win.h"
#include "win/message_box_win.h"

namespace {

const char* const kScratchPath = "Software\\TavixTests\\OptionsSheetTest";
const char* const kRunPath = "Software\\TavixTests\\OptionsSheetTest\\Run";
const char* const kCaption = "Options test";

// The clock as the sheet sees it, with its folder and store moved to scratch places.
class TestTarget : public ClockOptionsAdapter {
public:
    TestTarget(CTavixDlg& clock, std::string folder) : ClockOptionsAdapter(clock), folder_(std::move(folder)) {}
    std::string AppFolder() const override { return folder_; }
    SettingsStore& Store() override { return store_; }
    void ConfigurePlugin(const std::string& fileName, HWND owner) override {
        configured.push_back(fileName);
        configureOwner = owner;
    }
    RegistryStore& Registry() { return store_; }

    std::vector<std::string> configured;
    HWND configureOwner = nullptr;

private:
    std::string folder_;
    RegistryStore store_{HKEY_CURRENT_USER, kScratchPath};
};

std::string ScratchFolder() {
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    const std::string folder = std::string(path) + "tavix-options-test\\";
    for (const char* sub : {"", "Presets", "Lang", "Plugins"})
        ::CreateDirectoryA((folder + sub).c_str(), nullptr);
    return folder;
}

// A white square face of `size` pixels as a 24-bit bitmap, with its settings.
void WriteFace(const std::string& base, int size) {
    const int stride = BitmapStride24(size);
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * size, 0xFF);
    WriteBitmapFile24(base + ".bmp", size, size, pixels);
    std::ofstream ini(base + ".INI");
    ini << "[Settings]\nCenterX=" << size / 2 << "\nCenterY=" << size / 2 << "\n";
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

SIZE WindowSize(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND Sheet() {
    return FindDialog(kCaption);
}

// The page at `index` made current; null until the sheet is there.
// Window, background, then the time-zone page on NT-family systems (Wine is
// one), then the plug-ins page.
constexpr int kPluginsPage = 3;

HWND ShowPage(int index) {
    HWND sheet = Sheet();
    if (!sheet)
        return nullptr;
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

void MoveSlider(HWND page, int id, int position) {
    HWND slider = ::GetDlgItem(page, id);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
    ::SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

void PickListEntry(HWND page, int id, const std::string& text) {
    HWND list = ::GetDlgItem(page, id);
    const LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::string SelectedListEntry(HWND page, int id) {
    HWND list = ::GetDlgItem(page, id);
    const LRESULT index = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return "<none>";
    char text[MAX_PATH] = {};
    ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

class OptionsSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheTestApp();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
        folder_ = ScratchFolder();
        WriteFace(folder_ + "Presets\\big", 101);
        WriteFace(folder_ + "Presets\\small", 61);
        WriteFile(folder_ + "Presets\\broken.png", "\x89PNG\r\n\x1a\n not really");
        LanguageTable& texts = TheLanguageTable();
        texts.Clear();
        for (int n = 1; n <= kLanguageStringCount; ++n)
            texts.Set(static_cast<unsigned>(n), "text " + std::to_string(n));
        texts.Set(37, kCaption);
        texts.Set(13, "Cannot load");
        CollectMessages();

        clock_ = std::make_unique<BareClock>();
        ASSERT_TRUE(clock_->CreateModeless(nullptr));
        ClockSettings& s = clock_->MutableSettings();
        s.BackgrndBitmap = "big.bmp";
        s.UseZoom = 1;
        s.ZoomValue = 100;
        s.Alpha = 200;
        s.Alpha2 = 255;
        s.AAMethod = 0;
        s.Priority = 2;
        s.DontReposWindow = 1;
        ASSERT_TRUE(clock_->LoadPreset(folder_ + "Presets\\big.bmp"));
        target_ = std::make_unique<TestTarget>(*clock_, folder_);
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        target_.reset();
        clock_.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
    }

    // Runs the sheet with the script, which must end it.
    INT_PTR Run(DialogScript& script, AutostartKeys keys = {}) {
        CPropSheetOpt sheet(*target_, nullptr);
        return Run(sheet, script, keys);
    }
    INT_PTR Run(CPropSheetOpt& sheet, DialogScript& script, AutostartKeys keys = {}) {
        if (keys.path.empty()) {
            keys.machineRoot = HKEY_CURRENT_USER;
            keys.path = std::string(kRunPath) + "Machine";
        }
        sheet.WindowPage().SetAutostartKeys(keys);
        script.Start();
        const INT_PTR result = sheet.DoModal();
        EXPECT_TRUE(script.Finish()) << "the script stalled";
        return result;
    }

    const ClockSettings& Settings() { return clock_->MutableSettings(); }

    std::string folder_;
    std::unique_ptr<BareClock> clock_;
    std::unique_ptr<TestTarget> target_;
};

}  // namespace

TEST_F(OptionsSheetTest, PickedPresetShowsAtOnceAndCancelBringsBackTheOldOne) {
    const SIZE before = WindowSize(clock_->Handle());
    SIZE during{};
    std::string selectedAtOpen;
    DialogScript script;
    script.Then([&] {
        HWND page = ShowPage(1);
        if (!page)
            return false;
        selectedAtOpen = SelectedListEntry(page, IDC_BKG_PRESETS);
        PickListEntry(page, IDC_BKG_PRESETS, "small.bmp");
        during = WindowSize(clock_->Handle());
        PropSheet_PressButton(Sheet(), PSBTN_CANCEL);
        return true;
    });
    EXPECT_EQ(Run(script), IDCANCEL);
    EXPECT_EQ(selectedAtOpen, "big.bmp");
    EXPECT_EQ(during.cx, 61);
    EXPECT_EQ(clock_->PresetPath(), folder_ + "Presets\\big.bmp");
    EXPECT_EQ(WindowSize(clock_->Handle()).cx, before.cx);
    EXPECT_EQ(WindowSize(clock_->Handle()).cy, before.cy);
    EXPECT_EQ(Settings().BackgrndBitmap, "big.bmp");
}

TEST_F(OptionsSheetTest, BrokenPresetIsReportedAndTheListGoesBackToWhatIsShown) {
    // A name of 250 characters makes a path beyond MAX_PATH.
    const std::string longName = std::string(246, 'n') + ".png";
    WriteFile(folder_ + "Presets\\" + longName, "\x89PNG\r\n\x1a\n not really");
    for (const std::string& picked : {std::string("broken.png"), longName}) {
        ShownMessages().clear();
        std::string selectedAfter;
        DialogScript script;
        script.Then([&] {
            HWND page = ShowPage(1);
            if (!page)
                return false;
            PickListEntry(page, IDC_BKG_PRESETS, "small.bmp");
            PickListEntry(page, IDC_BKG_PRESETS, picked);
            selectedAfter = SelectedListEntry(page, IDC_BKG_PRESETS);
            PropSheet_PressButton(Sheet(), PSBTN_OK);
            return true;
        });
        EXPECT_EQ(Run(script), IDOK) << picked;
        // The loader may have its own message first; the page's names the path.
        ASSERT_FALSE(ShownMessages().empty()) << picked;
        EXPECT_EQ(ShownMessages().back(), "Cannot load " + folder_ + "Presets\\" + picked);
        // The clock still draws small.bmp, and the list says so.
        EXPECT_EQ(selectedAfter, "small.bmp") << picked;
        EXPECT_EQ(clock_->PresetPath(), folder_ + "Presets\\small.bmp") << picked;
        EXPECT_EQ(Settings().BackgrndBitmap, "small.bmp") << picked;
        ASSERT_TRUE(clock_->LoadPreset(folder_ + "Presets\\big.bmp"));
        clock_->MutableSettings().BackgrndBitmap = "big.bmp";
    }
    ::DeleteFileA((folder_ + "Presets\\" + longName).c_str());
}

TEST_F(OptionsSheetTest, WithoutPresetFilesTheListIsEmptyAndOkKeepsTheStoredFace) {
    TestTarget bare(*clock_, folder_ + "Nothing\\");
    CPropSheetOpt sheet(bare, nullptr);
    LRESULT entries = -1;
    DialogScript script;
    script.Then([&] {
        HWND page = ShowPage(1);
        if (!page)
            return false;
        entries = ::SendDlgItemMessageA(page, IDC_BKG_PRESETS, LB_GETCOUNT, 0, 0);
        PropSheet_PressButton(Sheet(), PSBTN_OK);
        return true;
    });
    EXPECT_EQ(Run(sheet, script), IDOK);
    EXPECT_EQ(entries, 0);
    EXPECT_EQ(Settings().BackgrndBitmap, "big.bmp");
    EXPECT_EQ(clock_->PresetPath(), folder_ + "Presets\\big.bmp");
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(OptionsSheetTest, ZoomSliderResizesTheClockLiveAndCancelRestoresIt) {
    struct Case {
        const char* what;
        int useZoom;
        int storedZoom;
        int expectedStart;  // slider position shown at open
        int width;          // clock width after moving to position 10 (50 %)
    } cases[] = {
        {"zoom on", 1, 100, 20, 50},
        {"zoom off: only the value changes", 0, 100, 20, 101},
        {"zoom not a multiple of 5", 1, 33, 6, 50},
    };
    for (const Case& c : cases) {
        clock_->MutableSettings().UseZoom = c.useZoom;
        clock_->MutableSettings().ZoomValue = c.storedZoom;
        ASSERT_TRUE(clock_->LoadPreset(folder_ + "Presets\\big.bmp"));
        const SIZE before = WindowSize(clock_->Handle());
        int startPosition = 0;
        int zoomDuring = 0;
        SIZE during{};
        std::string label;
        DialogScript script;
        script.Then([&] {
            HWND page = ShowPage(1);
            if (!page)
                return false;
            startPosition = static_cast<int>(::SendDlgItemMessageA(page, IDC_BKG_ZOOM, TBM_GETPOS, 0, 0));
            MoveSlider(page, IDC_BKG_ZOOM, 10);
            zoomDuring = Settings().ZoomValue;
            label = ItemText(page, IDC_BKG_ZOOM_VALUE);
            during = WindowSize(clock_->Handle());
            PropSheet_PressButton(Sheet(), PSBTN_CANCEL);
            return true;
        });
        EXPECT_EQ(Run(script), IDCANCEL) << c.what;
        EXPECT_EQ(startPosition, c.expectedStart) << c.what;
        EXPECT_EQ(zoomDuring, 50) << c.what;
        EXPECT_EQ(label, "50 %") << c.what;
        EXPECT_EQ(during.cx, c.width) << c.what;
        EXPECT_EQ(Settings().ZoomValue, c.storedZoom) << c.what;
        EXPECT_EQ(WindowSize(clock_->Handle()).cx, before.cx) << c.what;
    }
}

TEST_F(OptionsSheetTest, OpacityAndSmoothingPreviewAndCancelTakesThemBack) {
    int alphaDuring = 0;
    int smoothingDuring = 0;
    std::string alphaLabel;
    DialogScript script;
    script.Then([&] {
        HWND page = ShowPage(0);
        if (!page)
            return false;
        MoveSlider(page, IDC_WIN_ALPHA, 90);
        alphaDuring = target_->CurrentAlpha();
        alphaLabel = ItemText(page, IDC_WIN_ALPHA_VALUE);
        ::CheckRadioButton(page, IDC_WIN_SMOOTH_NONE, IDC_WIN_SMOOTH_OWN, IDC_WIN_SMOOTH_OWN);
        Click(page, IDC_WIN_SMOOTH_OWN);
        return true;
    });
    script.Then([&] {
        smoothingDuring = Settings().AAMethod;
        PropSheet_PressButton(Sheet(), PSBTN_CANCEL);
        return true;
    });
    EXPECT_EQ(Run(script), IDCANCEL);
    EXPECT_EQ(alphaDuring, 90);
    EXPECT_EQ(alphaLabel, "90");
    EXPECT_EQ(smoothingDuring, 2);
    EXPECT_EQ(target_->CurrentAlpha(), 200);
    EXPECT_EQ(Settings().Alpha, 200);
    EXPECT_EQ(Settings().AAMethod, 0);
    // Rebuilt without smoothing: the window is the face's own size again.
    EXPECT_EQ(WindowSize(clock_->Handle()).cx, 101);
}

TEST_F(OptionsSheetTest, ExitWithTheSheetOpenKeepsTheValuesFromBeforeIt) {
    std::string presetDuring;
    DialogScript script;
    script.Then([&] {
        HWND page = ShowPage(1);
        if (!page)
            return false;
        PickListEntry(page, IDC_BKG_PRESETS, "small.bmp");
        MoveSlider(page, IDC_BKG_ZOOM, 10);
        SetCheck(page, IDC_BKG_USE_ZOOM, false);
        return true;
    });
    script.Then([&] {
        HWND page = ShowPage(0);
        ::CheckRadioButton(page, IDC_WIN_SMOOTH_NONE, IDC_WIN_SMOOTH_OWN, IDC_WIN_SMOOTH_OWN);
        Click(page, IDC_WIN_SMOOTH_OWN);
        return true;
    });
    script.Then([&] {
        presetDuring = clock_->PresetPath();
        // What Exit in the tray icon's menu does.
        ::PostQuitMessage(0);
        return true;
    });
    EXPECT_EQ(Run(script), -1);
    MSG quit{};
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request must stay posted";
    EXPECT_EQ(presetDuring, folder_ + "Presets\\small.bmp");

    // What the clock's destroy handler then writes.
    SaveSettings(target_->Registry(), Settings());
    RegistryStore& stored = target_->Registry();
    EXPECT_EQ(stored.GetInt("", "ZoomValue", 0), 100u);
    EXPECT_EQ(stored.GetInt("", "UseZoom", 9), 1u);
    EXPECT_EQ(stored.GetInt("", "AAMethod", 9), 0u);
    EXPECT_EQ(stored.GetString("", "BackgrndBitmap", ""), "big.bmp");
    EXPECT_EQ(clock_->PresetPath(), folder_ + "Presets\\big.bmp");
    EXPECT_EQ(WindowSize(clock_->Handle()).cx, 101);
}

TEST_F(OptionsSheetTest, OkAppliesWindowOptionsOnAndOff) {
    clock_->MutableSettings().ClickThrough = 1;
    clock_->MutableSettings().HideFromAltTab = 0;
    DialogScript script;
    script.Then([&] {
        HWND page = ShowPage(0);
        if (!page)
            return false;
        SetCheck(page, IDC_WIN_PIN_TO_DESKTOP, true);
        return true;
    });
    script.Then([&] {
        HWND page = ShowPage(0);
        SetCheck(page, IDC_WIN_ON_TOP, true);
        return true;
    });
    script.Then([&] {
        HWND page = ShowPage(0);
        // On top cleared pinning on the page.
        EXPECT_FALSE(::IsDlgButtonChecked(page, IDC_WIN_PIN_TO_DESKTOP));
        SetCheck(page, IDC_WIN_CLICK_THROUGH, false);
        SetCheck(page, IDC_WIN_HIDE_ALT_TAB, true);
        return true;
    });
    script.Then([&] {
        PropSheet_PressButton(Sheet(), PSBTN_OK);
        return true;
    });
    EXPECT_EQ(Run(script), IDOK);
    EXPECT_EQ(Settings().OnTop, 1);
    EXPECT_EQ(Settings().PinToDesktop, 0);
    EXPECT_EQ(Settings().ClickThrough, 0);
    EXPECT_EQ(Settings().HideFromAltTab, 1);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(clock_->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_TRANSPARENT);
    EXPECT_FALSE(exStyle & WS_EX_NOACTIVATE);
}

TEST_F(OptionsSheetTest, LanguageSwitchTakesAGoodFileAndKeepsTheOldOneForABrokenOne) {
    WriteFile(folder_ + "Lang\\broken.lng", "1,only one text\r\n");
    std::string good;
    for (int n = 1; n <= kLanguageStringCount; ++n)
        good += std::to_string(n) + ",good " + std::to_string(n) + "\r\n";
    WriteFile(folder_ + "Lang\\good.lng", good);
    struct Case {
        const char* pick;
        const char* langFile;
        const char* text37;
        size_t messages;
    } cases[] = {
        {"broken.lng", "current.lng", kCaption, 1},
        {"good.lng", "good.lng", "good 37", 0},
    };
    for (const Case& c : cases) {
        clock_->MutableSettings().LangFile = "current.lng";
        ShownMessages().clear();
        DialogScript script;
        script.Then([&] {
            HWND page = ShowPage(0);
            if (!page)
                return false;
            HWND combo = ::GetDlgItem(page, IDC_WIN_LANGUAGE);
            ::SendMessageA(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(c.pick));
            PropSheet_PressButton(Sheet(), PSBTN_OK);
            return true;
        });
        EXPECT_EQ(Run(script), IDOK) << c.pick;
        EXPECT_EQ(Settings().LangFile, c.langFile) << c.pick;
        EXPECT_STREQ(TheLanguageTable().Text(37), c.text37) << c.pick;
        EXPECT_EQ(ShownMessages().size(), c.messages) << c.pick;
    }
    ::DeleteFileA((folder_ + "Lang\\good.lng").c_str());
    ::DeleteFileA((folder_ + "Lang\\broken.lng").c_str());
}

TEST_F(OptionsSheetTest, AutostartBoxesReadWriteAndDeleteTheRunValues) {
    AutostartKeys keys;
    keys.machineRoot = HKEY_CURRENT_USER;
    keys.userRoot = HKEY_CURRENT_USER;
    keys.path = kRunPath;
    auto stored = [] {
        std::vector<char> data(4096);
        DWORD size = static_cast<DWORD>(data.size());
        const LONG status =
            ::RegGetValueA(HKEY_CURRENT_USER, kRunPath, "Tavix", RRF_RT_REG_SZ, nullptr, data.data(), &size);
        return status == ERROR_SUCCESS ? std::string(data.data()) : std::string("<none>");
    };
    auto store = [](const std::string& data) {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunPath, "Tavix");
        if (data != "<none>")
            ::RegSetKeyValueA(HKEY_CURRENT_USER, kRunPath, "Tavix", REG_SZ, data.c_str(),
                              static_cast<DWORD>(data.size() + 1));
    };
    char buffer[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    const std::string program = buffer;
    const std::string quoted = "\"" + program + "\"";

    struct Case {
        const char* what;
        std::string before;
        bool shownAtOpen;
        bool tick;
        std::string after;
    } cases[] = {
        {"nothing stored, ticked: the path in quotes", "<none>", false, true, quoted},
        {"quoted, unticked: deleted", quoted, true, false, "<none>"},
        {"bare, as earlier versions wrote it, unticked: deleted", program, true, false, "<none>"},
        {"over 200 characters, unticked: deleted", quoted + " " + std::string(300, 'a'), true, false, "<none>"},
        {"another copy's entry, unticked: deleted", "\"C:\\Elsewhere\\Tavix.exe\"", true, false, "<none>"},
    };
    for (const Case& c : cases) {
        store(c.before);
        bool shownAtOpen = !c.shownAtOpen;
        DialogScript script;
        script.Then([&] {
            HWND page = ShowPage(0);
            if (!page)
                return false;
            shownAtOpen = ::IsDlgButtonChecked(page, IDC_WIN_START_THIS_USER) == BST_CHECKED;
            SetCheck(page, IDC_WIN_START_THIS_USER, c.tick);
            return true;
        });
        script.Then([&] {
            PropSheet_PressButton(Sheet(), PSBTN_OK);
            return true;
        });
        EXPECT_EQ(Run(script, keys), IDOK) << c.what;
        EXPECT_EQ(shownAtOpen, c.shownAtOpen) << c.what;
        EXPECT_EQ(stored(), c.after) << c.what;
        EXPECT_TRUE(ShownMessages().empty()) << c.what;
    }
}

TEST_F(OptionsSheetTest, PositionIsStoredOnlyWhenTheUserMovedTheSheet) {
    const uint32_t kNone = 0xDEAD;
    struct Case {
        const char* what;
        int storedLeft, storedTop;  // -1: nothing stored
        int dontRepos;
        bool move;
        int button;
        bool openOnScreen;
        uint32_t left, top;  // stored afterwards
    } cases[] = {
        {"first showing: (10, 10), nothing stored", -1, -1, 0, false, PSBTN_OK, true, kNone, kNone},
        {"not moved: the old position stays", 40, 30, 1, false, PSBTN_OK, true, 40, 30},
        {"moved, then Cancel: stored all the same", 40, 30, 1, true, PSBTN_CANCEL, true, 70, 50},
        {"far off screen: brought back, not stored", -5000, 9000, 0, false, PSBTN_OK, true, uint32_t(-5000), 9000},
        {"far off screen, repositioning off: stays there", -5000, 9000, 1, false, PSBTN_OK, false, uint32_t(-5000),
         9000},
    };
    for (const Case& c : cases) {
        target_->Registry().DeleteValue("", "OptionsLeft");
        target_->Registry().DeleteValue("", "OptionsTop");
        if (c.storedLeft != -1) {
            target_->Registry().WriteInt("", "OptionsLeft", static_cast<uint32_t>(c.storedLeft));
            target_->Registry().WriteInt("", "OptionsTop", static_cast<uint32_t>(c.storedTop));
        }
        clock_->MutableSettings().DontReposWindow = c.dontRepos;
        RECT atOpen{};
        DialogScript script;
        script.Then([&] {
            HWND sheet = Sheet();
            if (!sheet)
                return false;
            ::GetWindowRect(sheet, &atOpen);
            if (c.move) {
                ::SetWindowPos(sheet, nullptr, 70, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                ::SendMessageA(sheet, WM_EXITSIZEMOVE, 0, 0);
            } else {
                // Moved by the program, not the user: not stored.
                ::SetWindowPos(sheet, nullptr, 90, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            }
            PropSheet_PressButton(sheet, c.button);
            return true;
        });
        Run(script);
        const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        const bool onScreen =
            atOpen.left >= 0 && atOpen.top >= 0 && atOpen.right <= screenWidth && atOpen.bottom <= screenHeight;
        EXPECT_EQ(onScreen, c.openOnScreen) << c.what;
        if (c.storedLeft == -1) {
            EXPECT_EQ(atOpen.left, 10) << c.what;
            EXPECT_EQ(atOpen.top, 10) << c.what;
        } else if (c.openOnScreen && c.storedLeft >= 0) {
            EXPECT_EQ(atOpen.left, c.storedLeft) << c.what;
            EXPECT_EQ(atOpen.top, c.storedTop) << c.what;
        }
        EXPECT_EQ(target_->Registry().GetInt("", "OptionsLeft", kNone), c.left) << c.what;
        EXPECT_EQ(target_->Registry().GetInt("", "OptionsTop", kNone), c.top) << c.what;
    }
}

TEST_F(OptionsSheetTest, HelpAddressNamesTheLanguageInLowerCaseAndThePageShown) {
    class RecordingSheet : public CPropSheetOpt {
    public:
        using CPropSheetOpt::CPropSheetOpt;
        std::vector<std::string> opened;

    protected:
        void OpenHelpPage() override { opened.push_back(HelpPageAddress()); }
    };
    struct Case {
        const char* langFile;
        int page;
        const char* ending;
    } cases[] = {
        {"English.lng", 1, "help.php?lang=english&tab=1"},
        {"deutsch.lng", 2, "help.php?lang=deutsch&tab=2"},
        {"", 0, "help.php?lang=&tab=0"},
    };
    for (const Case& c : cases) {
        clock_->MutableSettings().LangFile = c.langFile;
        RecordingSheet sheet(*target_, nullptr);
        DialogScript script;
        script.Then([&] {
            if (!ShowPage(c.page))
                return false;
            PropSheet_PressButton(Sheet(), PSBTN_HELP);
            return true;
        });
        script.Then([&] {
            PropSheet_PressButton(Sheet(), PSBTN_CANCEL);
            return true;
        });
        Run(sheet, script);
        ASSERT_EQ(sheet.opened.size(), 1u) << c.langFile;
        const std::string& address = sheet.opened[0];
        EXPECT_EQ(address.rfind("https://", 0), 0u) << address;
        EXPECT_EQ(address.substr(address.size() - std::string(c.ending).size()), c.ending) << address;
    }
}

TEST_F(OptionsSheetTest, ConfigureOpensTheSelectedPluginsSettingsOverTheSheet) {
    for (const char* name : {"a.dll", "b.dll"})
        WriteFile(folder_ + "Plugins\\" + name, "MZ");
    struct Case {
        int select;  // -1: nothing selected
        std::vector<std::string> configured;
    } cases[] = {
        {-1, {}},
        {1, {"b.dll"}},
    };
    for (const Case& c : cases) {
        target_->configured.clear();
        HWND sheetWindow = nullptr;
        DialogScript script;
        script.Then([&] {
            HWND page = ShowPage(kPluginsPage);
            if (!page)
                return false;
            sheetWindow = Sheet();
            if (c.select >= 0)
                ListView_SetItemState(::GetDlgItem(page, IDC_PLUG_LIST), c.select, LVIS_SELECTED, LVIS_SELECTED);
            ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PLUG_CONFIGURE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_PLUG_CONFIGURE)));
            PropSheet_PressButton(Sheet(), PSBTN_CANCEL);
            return true;
        });
        Run(script);
        EXPECT_EQ(target_->configured, c.configured) << c.select;
        if (!c.configured.empty())
            EXPECT_EQ(target_->configureOwner, sheetWindow);
    }
}

TEST_F(OptionsSheetTest, PluginTicksComeFromActivePluginsAndOkStoresThemInListOrder) {
    for (const char* name : {"a.dll", "b.dll", "c.dll"})
        WriteFile(folder_ + "Plugins\\" + name, "MZ");
    struct Case {
        const char* what;
        const char* stored;
        std::vector<int> toggle;  // rows double-clicked
        const char* expected;     // "<none>": the value is deleted
    } cases[] = {
        {"other case, a missing file dropped", "B.DLL|gone.dll|", {}, "b.dll|"},
        {"ticking a to b gives list order", "b.dll|", {0}, "a.dll|b.dll|"},
        {"unticking all deletes the value", "b.dll|", {1}, "<none>"},
    };
    for (const Case& c : cases) {
        target_->Registry().WriteString("", "ActivePlugins", c.stored);
        DialogScript script;
        script.Then([&] {
            HWND page = ShowPage(kPluginsPage);
            if (!page)
                return false;
            HWND list = ::GetDlgItem(page, IDC_PLUG_LIST);
            for (int row : c.toggle) {
                NMITEMACTIVATE activate{};
                activate.hdr.hwndFrom = list;
                activate.hdr.idFrom = IDC_PLUG_LIST;
                activate.hdr.code = NM_DBLCLK;
                activate.iItem = row;
                ::SendMessageA(page, WM_NOTIFY, IDC_PLUG_LIST, reinterpret_cast<LPARAM>(&activate));
            }
            PropSheet_PressButton(Sheet(), PSBTN_OK);
            return true;
        });
        EXPECT_EQ(Run(script), IDOK) << c.what;
        EXPECT_EQ(target_->Registry().GetString("", "ActivePlugins", "<none>"), c.expected) << c.what;
    }
}
