// The clock window under the mouse. The hover poll: the opacity follows the
// cursor in and out of the window's rectangle, and stopping the poll gives
// back the normal opacity, since the mouse messages that take over would never
// end a hover they did not begin. A drag ends with the button's release even
// when a message loop that is not ours dispatches it.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/clock_window_win.h"
#include "res/resource.h"
#include "tests/wine/test_app_win.h"

namespace {

// A clock window that skips the start-up sequence.
class BareClock : public CTavixDlg {
public:
    BareClock() : CTavixDlg(nullptr) {}
    using CTavixDlg::MutableSettings;

protected:
    bool OnCreate() override { return true; }
    void OnDestroy() override { StopHoverWatch(); }
};

class ClockMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheTestApp();
        clock_ = std::make_unique<BareClock>();
        ASSERT_TRUE(clock_->CreateModeless(nullptr));
        ::SetWindowPos(clock_->Handle(), nullptr, 100, 100, 80, 80, SWP_NOZORDER | SWP_NOACTIVATE);
        ClockSettings& s = clock_->MutableSettings();
        s.UseAlpha2 = 1;
        s.Alpha = 200;
        s.Alpha2 = 0;
        s.ClickThrough = 0;
    }
    void TearDown() override { clock_.reset(); }

    // One tick of the 125 ms poll, without waiting for it.
    void Poll() { ::SendMessageA(clock_->Handle(), WM_TIMER, IDT_HOVER_TIMER, 0); }

    std::unique_ptr<BareClock> clock_;
};

}  // namespace

TEST_F(ClockMouseTest, PollFollowsTheCursorAndStoppingEndsTheHover) {
    ASSERT_TRUE(::SetCursorPos(120, 120));
    clock_->StartHoverWatch();
    EXPECT_EQ(clock_->CurrentAlpha(), 0) << "the cursor starts over the clock";

    struct Step {
        int x, y;
        int alpha;
    } steps[] = {
        {180, 120, 200},  // the right edge is outside
        {179, 179, 0},
        {100, 100, 0},  // the left and top edges are inside
        {99, 150, 200},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(::SetCursorPos(step.x, step.y));
        Poll();
        EXPECT_EQ(clock_->CurrentAlpha(), step.alpha) << step.x << "," << step.y;
    }

    ASSERT_TRUE(::SetCursorPos(150, 150));
    Poll();
    ASSERT_EQ(clock_->CurrentAlpha(), 0);
    clock_->StopHoverWatch();
    EXPECT_EQ(clock_->CurrentAlpha(), 200);
}

TEST_F(ClockMouseTest, ADragEndsWhenTheReleaseBypassesOurLoop) {
    clock_->MutableSettings().UnmovableWin = 0;
    clock_->MutableSettings().LimitWinPos = 0;
    RECT before = {};
    ::GetWindowRect(clock_->Handle(), &before);
    ::SendMessageA(clock_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_EQ(::GetCapture(), clock_->Handle()) << "the drag did not start";
    // Sent straight to the window, as a message box's own loop dispatches it:
    // no pre-translation of ours sees it.
    ::SendMessageA(clock_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_NE(::GetCapture(), clock_->Handle()) << "the capture outlived the button";
    ::SendMessageA(clock_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 40));
    RECT after = {};
    ::GetWindowRect(clock_->Handle(), &after);
    EXPECT_EQ(after.left, before.left) << "a move with no button held still carried the clock";
    EXPECT_EQ(after.top, before.top);
}
