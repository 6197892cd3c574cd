// The second opacity while the cursor is over the clock: from the clock's own
// mouse messages, or from a 125 ms poll of the cursor when the clock gets no
// mouse messages (click-through, or fully transparent under the cursor).
#include "app/clock_window_win.h"
#include "app/hover_decision.h"
#include "res/resource.h"
#include "win/platform_entry_points_win.h"

namespace {

ScreenRect ToScreenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

ScreenPoint CursorPosition() {
    POINT p = {};
    ::GetCursorPos(&p);
    return {p.x, p.y};
}

}  // namespace

void CTavixDlg::SetWindowAlpha(uint8_t alpha) {
    if (layeredSupported_ && TheUpdateLayeredWindow) {
        const bool perPixel = preset_ && preset_->HasAlphaSurface();
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, static_cast<BYTE>(perPixel ? AC_SRC_ALPHA : 0)};
        TheUpdateLayeredWindow(Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA);
    }
    currentAlpha_ = alpha;
}

void CTavixDlg::StartHoverWatch() {
    if (!HoverNeedsPolling(settings_))
        return;
    RECT r = {};
    ::GetWindowRect(Handle(), &r);
    hoverRect_ = r;
    hovered_ = HoverRectContains(ToScreenRect(hoverRect_), CursorPosition());
    SetWindowAlpha(hovered_ ? settings_.Alpha2 : settings_.Alpha);
    hoverPolling_ = ::SetTimer(Handle(), IDT_HOVER_TIMER, 125, nullptr) != 0;
}

void CTavixDlg::StopHoverWatch() {
    ::KillTimer(Handle(), IDT_HOVER_TIMER);
    // A hover the poll began ends with it: the mouse messages that take over
    // asked for no leave notification and would keep the second opacity.
    if (hoverPolling_ && hovered_) {
        SetWindowAlpha(settings_.Alpha);
        hovered_ = false;
    }
    hoverPolling_ = false;
}

void CTavixDlg::OnHoverTimer() {
    switch (PollHover(hovered_, ToScreenRect(hoverRect_), CursorPosition())) {
        case HoverChange::Leave:
            SetWindowAlpha(settings_.Alpha);
            hovered_ = false;
            break;
        case HoverChange::Enter:
            SetWindowAlpha(settings_.Alpha2);
            hovered_ = true;
            break;
        case HoverChange::None:
            break;
    }
}

void CTavixDlg::OnHoverMouseMove() {
    if (!MouseMoveStartsHover(settings_, layeredSupported_, hovered_, hoverPolling_))
        return;
    hovered_ = true;
    ::GetWindowRect(Handle(), &hoverRect_);
    SetWindowAlpha(settings_.Alpha2);
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = Handle();
    ::TrackMouseEvent(&track);
}

void CTavixDlg::OnMouseLeave() {
    if (hoverPolling_)
        return;
    SetWindowAlpha(settings_.Alpha);
    hovered_ = false;
}
