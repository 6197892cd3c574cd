// The property sheet under Wine: which pages hear OK and Cancel, the answers the
// pages give through DWLP_MSGRESULT, the sheet's own initialization, Help,
// keyboard, the reposition request and the main window's pre-translation.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/memory_template_win.h"
#include "tests/wine/test_app_win.h"
#include "win/dialog_win.h"
#include "win/property_page_win.h"
#include "win/property_sheet_win.h"

namespace {

constexpr WORD kCheckId = 300;

const MemoryTemplate& PageTemplate() {
    static const MemoryTemplate t =
        MemoryTemplate(WS_CHILD | WS_CAPTION | DS_CONTROL, 0, 0, 180, 100, "Page")
            .Add(MemoryTemplate::kButton, kCheckId, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 100, 10, "Check");
    return t;
}

class RecordingPage : public CPropertyPage {
public:
    explicit RecordingPage(const char* title) : CPropertyPage(PageTemplate().Get()) { SetTitle(title); }

    int inits = 0;
    int activations = 0;
    int oks = 0;
    int cancels = 0;
    bool allowLeave = true;
    bool allowApply = true;
    bool allowCancel = true;

protected:
    BOOL OnInitDialog() override {
        ++inits;
        return TRUE;
    }
    bool OnSetActive() override {
        ++activations;
        return true;
    }
    bool OnKillActive() override { return allowLeave; }
    bool OnApply() override { return allowApply && CPropertyPage::OnApply(); }
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    bool OnQueryCancel() override { return allowCancel; }
};

class TestSheet : public CPropertySheet {
public:
    TestSheet() : CPropertySheet("Sheet test") {
        AddFlags(PSH_HASHELP | PSH_NOAPPLYNOW);
        AddPage(&first);
        AddPage(&second);
    }

    RecordingPage first{"First"};
    RecordingPage second{"Second"};
    POINT placeAt{10, 10};
    bool sendReposition = false;
    int helpCommands = 0;
    int shownAtInit = -1;
    std::vector<UINT> preTranslated;

protected:
    BOOL OnInitDialog() override {
        shownAtInit = ::IsWindowVisible(Handle());
        SetButtonText(IDOK, "Fine");
        SetButtonText(IDHELP, "Explain");
        ::SetWindowPos(Handle(), nullptr, placeAt.x, placeAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (sendReposition)
            ::SendMessageA(Handle(), DM_REPOSITION, 0, 0);
        return TRUE;
    }
    bool OnCommand(WORD id, WORD, HWND) override {
        if (id != ID_HELP)
            return false;
        ++helpCommands;
        return true;
    }
    bool PreTranslateMessage(MSG* message) override {
        if (message->message == WM_LBUTTONUP)
            preTranslated.push_back(message->message);
        return false;
    }
};

HWND Sheet() {
    return ::FindWindowA(nullptr, "Sheet test");
}

void Press(int button) {
    PropSheet_PressButton(Sheet(), button);
}

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheTestApp();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
};

}  // namespace

TEST_F(PropertySheetTest, OkAndCancelReachOnlyThePagesThatWereShown) {
    struct Case {
        const char* what;
        bool showSecond;
        int button;
        INT_PTR result;
        int firstOks, secondOks, firstCancels, secondCancels;
    } cases[] = {
        {"OK, second never shown", false, PSBTN_OK, IDOK, 1, 0, 0, 0},
        {"OK, both shown", true, PSBTN_OK, IDOK, 1, 1, 0, 0},
        {"Cancel, second never shown", false, PSBTN_CANCEL, IDCANCEL, 0, 0, 1, 0},
        {"Cancel, both shown", true, PSBTN_CANCEL, IDCANCEL, 0, 0, 1, 1},
    };
    for (const Case& c : cases) {
        static const Case* current;
        current = &c;
        TestSheet sheet;
        TimerScript script(&sheet);
        script
            .Then([](void*) {
                if (current->showSecond)
                    PropSheet_SetCurSel(Sheet(), nullptr, 1);
            })
            .Then([](void*) { Press(current->button); })
            .Start();
        EXPECT_EQ(sheet.DoModal(), c.result) << c.what;
        EXPECT_EQ(sheet.first.oks, c.firstOks) << c.what;
        EXPECT_EQ(sheet.second.oks, c.secondOks) << c.what;
        EXPECT_EQ(sheet.first.cancels, c.firstCancels) << c.what;
        EXPECT_EQ(sheet.second.cancels, c.secondCancels) << c.what;
        EXPECT_EQ(sheet.second.inits, c.showSecond ? 1 : 0) << c.what;
        EXPECT_FALSE(::IsWindow(Sheet())) << c.what;
        EXPECT_EQ(sheet.Handle(), nullptr) << c.what;
    }
}

TEST_F(PropertySheetTest, PagesAnswerThroughTheMessageResult) {
    static int indexAfterRefusal;
    static bool openAfterRefusedApply;
    static bool openAfterRefusedCancel;
    TestSheet sheet;
    sheet.first.allowLeave = false;
    sheet.first.allowApply = false;
    sheet.first.allowCancel = false;
    TimerScript script(&sheet);
    script
        .Then([](void* s) {
            PropSheet_SetCurSel(Sheet(), nullptr, 1);
            indexAfterRefusal = TabCtrl_GetCurSel(PropSheet_GetTabControl(Sheet()));
            static_cast<TestSheet*>(s)->first.allowLeave = true;
            Press(PSBTN_OK);
        })
        .Then([](void*) {
            openAfterRefusedApply = PropSheet_GetCurrentPageHwnd(Sheet()) != nullptr;
            Press(PSBTN_CANCEL);
        })
        .Then([](void* s) {
            openAfterRefusedCancel = PropSheet_GetCurrentPageHwnd(Sheet()) != nullptr;
            auto* running = static_cast<TestSheet*>(s);
            running->first.allowCancel = true;
            Press(PSBTN_CANCEL);
        })
        .Start();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(indexAfterRefusal, 0);
    EXPECT_EQ(sheet.first.activations, 1);
    EXPECT_EQ(sheet.second.activations, 0);
    EXPECT_TRUE(openAfterRefusedApply);
    EXPECT_EQ(sheet.first.oks, 0);
    EXPECT_TRUE(openAfterRefusedCancel);
    EXPECT_EQ(sheet.first.cancels, 1);
}

TEST_F(PropertySheetTest, InitializationRunsBeforeTheSheetShows) {
    static int index;
    static std::string okText, helpText;
    static BOOL applyVisible, helpEnabled;
    static RECT frame;
    TestSheet sheet;
    sheet.placeAt = POINT{40, 30};
    TimerScript script(&sheet);
    script
        .Then([](void*) {
            char text[64] = {};
            ::GetDlgItemTextA(Sheet(), IDOK, text, sizeof(text));
            okText = text;
            ::GetDlgItemTextA(Sheet(), IDHELP, text, sizeof(text));
            helpText = text;
            applyVisible = ::IsWindowVisible(::GetDlgItem(Sheet(), 0x3021));  // the platform's Apply button
            helpEnabled = ::IsWindowEnabled(::GetDlgItem(Sheet(), IDHELP));
            ::GetWindowRect(Sheet(), &frame);
            PropSheet_SetCurSel(Sheet(), nullptr, 1);
            Press(PSBTN_HELP);
        })
        .Then([](void* s) {
            index = static_cast<TestSheet*>(s)->GetActiveIndex();
            Press(PSBTN_CANCEL);
        })
        .Start();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.shownAtInit, 0);
    EXPECT_EQ(sheet.first.inits, 1);
    EXPECT_EQ(okText, "Fine");
    EXPECT_EQ(helpText, "Explain");
    EXPECT_FALSE(applyVisible);
    EXPECT_TRUE(helpEnabled);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(sheet.helpCommands, 1);
    EXPECT_EQ(index, 1);
}

TEST_F(PropertySheetTest, RepositionBringsAnOffScreenSheetBack) {
    static RECT frame;
    TestSheet sheet;
    sheet.placeAt = POINT{-300, -200};
    sheet.sendReposition = true;
    TimerScript script(&sheet);
    script
        .Then([](void*) {
            ::GetWindowRect(Sheet(), &frame);
            Press(PSBTN_CANCEL);
        })
        .Start();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_EQ(frame.left, monitor.rcWork.left);
    EXPECT_EQ(frame.top, monitor.rcWork.top);
}

TEST_F(PropertySheetTest, EscapeCancelsThroughTheSheetLoop) {
    TestSheet sheet;
    TimerScript script(&sheet);
    script
        .Then([](void*) {
            HWND check = ::GetDlgItem(PropSheet_GetCurrentPageHwnd(Sheet()), kCheckId);
            ::SetFocus(check);
            ::PostMessageA(check, WM_KEYDOWN, VK_ESCAPE, 0);
        })
        .Start();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.first.cancels, 1);
}

namespace {

class MainDialog : public CDialog {
public:
    explicit MainDialog(const DLGTEMPLATE* t) : CDialog(t, nullptr) {}
    std::vector<UINT> preTranslated;
    using CDialog::DoModal;

protected:
    BOOL OnInitDialog() override {
        TheTestApp().SetMainWindow(Handle());
        return TRUE;
    }
    void OnDestroy() override { TheTestApp().SetMainWindow(nullptr); }
    bool PreTranslateMessage(MSG* message) override {
        if (message->message == WM_LBUTTONUP)
            preTranslated.push_back(message->message);
        return false;
    }
};

}  // namespace

TEST_F(PropertySheetTest, TheMainWindowPreTranslatesTheSheetsMessages) {
    static const MemoryTemplate mainTemplate(WS_POPUP | WS_CAPTION, 0, 0, 100, 50, "Main");
    struct Context {
        MainDialog main{mainTemplate.Get()};
        TestSheet sheet;
        INT_PTR sheetResult = 0;
    } context;
    TimerScript script(&context);
    script
        .Then([](void* c) {
            auto* ctx = static_cast<Context*>(c);
            ctx->sheetResult = ctx->sheet.DoModal();
        })
        .Then([](void*) { ::PostMessageA(PropSheet_GetCurrentPageHwnd(Sheet()), WM_LBUTTONUP, 0, 0); })
        .Then([](void*) { Press(PSBTN_OK); })
        .Then([](void* c) { ::PostMessageA(static_cast<Context*>(c)->main.Handle(), WM_COMMAND, IDOK, 0); })
        .Start();
    EXPECT_EQ(context.main.DoModal(), IDOK);
    EXPECT_EQ(context.sheetResult, IDOK);
    EXPECT_EQ(context.sheet.preTranslated, (std::vector<UINT>{WM_LBUTTONUP}));
    EXPECT_EQ(context.main.preTranslated, (std::vector<UINT>{WM_LBUTTONUP}));
}
