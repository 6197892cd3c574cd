// The dialog base under Wine: its modal loop (refusal, quit requests in nested
// loops, keyboard navigation), a handler that throws, the reposition request,
// and the main window's pre-translation of messages from every modal loop.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/wine/memory_template_win.h"
#include "tests/wine/test_app_win.h"
#include "win/dialog_win.h"
#include "win/thunk_guard_win.h"

namespace {

constexpr WORD kEditId = 100;
constexpr WORD kCheckId = 101;
constexpr WORD kThrowingCommand = 200;

const MemoryTemplate& DialogTemplate() {
    static const MemoryTemplate t =
        MemoryTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 160, 80, "Layer test")
            .Add(MemoryTemplate::kEdit, kEditId, WS_TABSTOP | WS_BORDER, 8, 8, 100, 14, "")
            .Add(MemoryTemplate::kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 40, 50, 14, "OK")
            .Add(MemoryTemplate::kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 70, 40, 50, 14, "Cancel")
            .Add(MemoryTemplate::kButton, kCheckId, BS_AUTOCHECKBOX | WS_TABSTOP, 8, 60, 80, 10, "Check");
    return t;
}

class TestDialog : public CDialog {
public:
    explicit TestDialog(HWND owner = nullptr) : CDialog(DialogTemplate().Get(), owner) {}

    bool refuse = false;
    bool isMain = false;
    std::vector<UINT> preTranslated;  // WM_LBUTTONUP and WM_APP only, to keep the record short

    using CDialog::DoModal;

protected:
    bool OnCreate() override { return !refuse; }
    BOOL OnInitDialog() override {
        if (isMain)
            TheTestApp().SetMainWindow(Handle());
        return CDialog::OnInitDialog();
    }
    void OnDestroy() override {
        if (isMain)
            TheTestApp().SetMainWindow(nullptr);
    }
    bool OnCommand(WORD id, WORD code, HWND control) override {
        if (id == kThrowingCommand)
            throw std::runtime_error("handler failed");
        return CDialog::OnCommand(id, code, control);
    }
    bool PreTranslateMessage(MSG* message) override {
        if (message->message == WM_LBUTTONUP || message->message == WM_APP)
            preTranslated.push_back(message->message);
        return false;
    }
};

// The dialog whose modal loop runs at present: the most recent one with a window.
HWND ActiveTestDialog() {
    return ::FindWindowA(nullptr, "Layer test");
}

class DialogLayerTest : public ::testing::Test {
protected:
    void SetUp() override { TheTestApp(); }
};

}  // namespace

TEST_F(DialogLayerTest, RefusedCreationReturnsAtOnce) {
    TestDialog dialog;
    dialog.refuse = true;
    // A loop entered for a refused dialog would never end: returning is the test.
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_FALSE(::IsWindow(ActiveTestDialog()));
}

TEST_F(DialogLayerTest, QuitInANestedLoopEndsEveryLoopAndStaysPosted) {
    struct Context {
        TestDialog outer;
        TestDialog inner{nullptr};
        INT_PTR innerResult = 0;
    } context;
    TimerScript script(&context);
    script
        .Then([](void* c) {
            auto* ctx = static_cast<Context*>(c);
            ctx->innerResult = ctx->inner.DoModal();
        })
        .Then([](void*) { ::PostQuitMessage(7); })
        .Start();
    EXPECT_EQ(context.outer.DoModal(), -1);
    EXPECT_EQ(context.innerResult, -1);
    EXPECT_FALSE(::IsWindow(context.outer.Handle()));
    // Re-posted by the outer loop as well, for the program's own end.
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

TEST_F(DialogLayerTest, ADialogEndedUnderANestedOneHidesAndFreesItsOwnerAtOnce) {
    // Its loop cannot end before the nested one has: until then it must not
    // stay on the screen taking clicks, nor keep its owner (the clock) disabled.
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    struct Context {
        HWND owner;
        TestDialog outer;
        TestDialog inner{nullptr};  // no owner, like the about box
        BOOL outerVisibleAfterEnd = TRUE;
        BOOL ownerEnabledAfterEnd = FALSE;
        BOOL ownerEnabledBeforeEnd = TRUE;
    } context{owner, TestDialog(owner)};
    TimerScript script(&context);
    script.Then([](void* c) { static_cast<Context*>(c)->inner.DoModal(); })
        .Then([](void* c) {
            auto* ctx = static_cast<Context*>(c);
            ctx->ownerEnabledBeforeEnd = ::IsWindowEnabled(ctx->owner);
            ::PostMessageA(ctx->outer.Handle(), WM_COMMAND, IDOK, 0);
        })
        .Then([](void* c) {
            auto* ctx = static_cast<Context*>(c);
            ctx->outerVisibleAfterEnd = ::IsWindowVisible(ctx->outer.Handle());
            ctx->ownerEnabledAfterEnd = ::IsWindowEnabled(ctx->owner);
            ::PostMessageA(ctx->inner.Handle(), WM_COMMAND, IDCANCEL, 0);
        })
        .Start();
    EXPECT_EQ(context.outer.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(context.ownerEnabledBeforeEnd);
    EXPECT_FALSE(context.outerVisibleAfterEnd) << "the ended dialog stayed on the screen";
    EXPECT_TRUE(context.ownerEnabledAfterEnd) << "the owner stayed disabled";
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

TEST_F(DialogLayerTest, KeysReachTheDialogThroughItsLoop) {
    struct Case {
        WPARAM key;
        INT_PTR result;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const Case& c : cases) {
        static WPARAM key;
        key = c.key;
        TestDialog dialog;
        TimerScript script(&dialog);
        script
            .Then([](void*) {
                HWND edit = ::GetDlgItem(ActiveTestDialog(), kEditId);
                ::SetFocus(edit);
                ::PostMessageA(edit, WM_KEYDOWN, key, 0);
            })
            .Start();
        EXPECT_EQ(dialog.DoModal(), c.result) << "key " << c.key;
    }
}

TEST_F(DialogLayerTest, TabMovesTheFocusToTheNextControl) {
    // Control ids, read while the dialog is still there.
    static int focusBeforeTab;
    static int focusAfterTab;
    focusBeforeTab = focusAfterTab = 0;
    TestDialog dialog;
    TimerScript script(&dialog);
    script
        .Then([](void*) {
            HWND edit = ::GetDlgItem(ActiveTestDialog(), kEditId);
            ::SetFocus(edit);
            focusBeforeTab = ::GetDlgCtrlID(::GetFocus());
            ::PostMessageA(edit, WM_KEYDOWN, VK_TAB, 0);
        })
        .Then([](void*) {
            focusAfterTab = ::GetDlgCtrlID(::GetFocus());
            ::PostMessageA(ActiveTestDialog(), WM_COMMAND, IDCANCEL, 0);
        })
        .Start();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(focusBeforeTab, kEditId);
    EXPECT_EQ(focusAfterTab, IDOK);
}

TEST_F(DialogLayerTest, AHandlerThatThrowsLeavesTheDialogRunning) {
    static LRESULT answer;
    answer = -5;
    const unsigned caughtBefore = thunk_guard::CaughtCount();
    TestDialog dialog;
    TimerScript script(&dialog);
    script
        .Then([](void*) {
            answer = ::SendMessageA(ActiveTestDialog(), WM_COMMAND, kThrowingCommand, 0);
            ::PostMessageA(ActiveTestDialog(), WM_COMMAND, IDOK, 0);
        })
        .Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(thunk_guard::CaughtCount(), caughtBefore + 1);
}

TEST_F(DialogLayerTest, RepositionMovesADialogIntoTheWorkArea) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    struct Case {
        const char* what;
        int x, y;
        int width, height;          // 0: the template's size
        int expectLeft, expectTop;  // INT_MIN: unchanged
    } cases[] = {
        {"left of the screen", -100, 50, 0, 0, work.left, 50},
        {"above the screen", 60, -40, 0, 0, 60, work.top},
        {"inside", 60, 50, 0, 0, 60, 50},
        {"past the right and bottom edges", work.right - 20, work.bottom - 10, 200, 100, work.right - 200,
         work.bottom - 100},
        {"larger than the work area", 30, 30, work.right - work.left + 300, 100, work.left, 30},
    };
    for (const Case& c : cases) {
        TestDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr)) << c.what;
        HWND window = dialog.Handle();
        RECT frame;
        ::GetWindowRect(window, &frame);
        const int width = c.width ? c.width : frame.right - frame.left;
        const int height = c.height ? c.height : frame.bottom - frame.top;
        ::SetWindowPos(window, nullptr, c.x, c.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageA(window, DM_REPOSITION, 0, 0);
        ::GetWindowRect(window, &frame);
        EXPECT_EQ(frame.left, c.expectLeft) << c.what;
        EXPECT_EQ(frame.top, c.expectTop) << c.what;
        EXPECT_EQ(frame.right - frame.left, width) << c.what << ": the size stays";
        ::DestroyWindow(window);
    }
}

TEST_F(DialogLayerTest, TheMainWindowPreTranslatesMessagesOfANestedLoop) {
    struct Context {
        TestDialog main;
        TestDialog about{nullptr};  // no parent, like the about box
    } context;
    context.main.isMain = true;
    TimerScript script(&context);
    script
        .Then([](void* c) {
            // Its own loop: the main window is asked once.
            ::PostMessageA(static_cast<Context*>(c)->main.Handle(), WM_APP, 0, 0);
        })
        .Then([](void* c) { static_cast<Context*>(c)->about.DoModal(); })
        .Then([](void* c) {
            auto* ctx = static_cast<Context*>(c);
            // A button release aimed at the about box still reaches the clock.
            ::PostMessageA(ctx->about.Handle(), WM_LBUTTONUP, 0, 0);
        })
        .Then([](void* c) { ::PostMessageA(static_cast<Context*>(c)->about.Handle(), WM_COMMAND, IDOK, 0); })
        .Then([](void* c) { ::PostMessageA(static_cast<Context*>(c)->main.Handle(), WM_COMMAND, IDOK, 0); })
        .Start();
    EXPECT_EQ(context.main.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(context.main.preTranslated, (std::vector<UINT>{WM_APP, WM_LBUTTONUP}));
    EXPECT_EQ(context.about.preTranslated, (std::vector<UINT>{WM_LBUTTONUP}));
    EXPECT_EQ(TheTestApp().MainWindow(), nullptr);
}

namespace {

class ExchangingDialog : public TestDialog {
public:
    std::string text = "start";
    int checked = 1;
    bool bindMissingControl = false;

protected:
    void DoDataExchange(DataExchange& exchange) override {
        exchange.Text(kEditId, text);
        exchange.Check(kCheckId, checked);
        if (bindMissingControl) {
            HWND missing = nullptr;
            exchange.Control(999, missing);
        }
    }
};

}  // namespace

TEST_F(DialogLayerTest, DataExchangeFillsTheControlsAndTakesTheirValuesOnOk) {
    static std::string shownText;
    static LRESULT shownCheck;
    static bool openAfterFailedOk;
    ExchangingDialog dialog;
    TimerScript script(&dialog);
    script
        .Then([](void* d) {
            HWND window = ActiveTestDialog();
            char text[32] = {};
            ::GetDlgItemTextA(window, kEditId, text, sizeof(text));
            shownText = text;
            shownCheck = ::SendDlgItemMessageA(window, kCheckId, BM_GETCHECK, 0, 0);
            ::SetDlgItemTextA(window, kEditId, "typed");
            ::SendDlgItemMessageA(window, kCheckId, BM_SETCHECK, BST_UNCHECKED, 0);
            // A failed exchange keeps the dialog open.
            static_cast<ExchangingDialog*>(d)->bindMissingControl = true;
            ::SendMessageA(window, WM_COMMAND, IDOK, 0);
            openAfterFailedOk = ::IsWindow(window) != FALSE;
            static_cast<ExchangingDialog*>(d)->bindMissingControl = false;
            ::SendMessageA(window, WM_COMMAND, IDOK, 0);
        })
        .Start();
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownText, "start");
    EXPECT_EQ(shownCheck, BST_CHECKED);
    EXPECT_TRUE(openAfterFailedOk);
    EXPECT_EQ(dialog.text, "typed");
    EXPECT_EQ(dialog.checked, 0);
}
