// Moving the clock with the left mouse button. The grabbed point stays under
// the cursor; the corner reaches the store once, when the button comes up.
#include "app/clock_window_win.h"
#include "app/drag_limits.h"
#include "app/window_placement.h"
#include "win/platform_entry_points_win.h"

void CTavixDlg::BeginDrag(POINT client) {
    if (dragging_ || settings_.UnmovableWin != 0)
        return;
    if (settings_.LimitWinPos != 0) {
        // The screen may have changed size since the clock started.
        screenWidth_ = ::GetSystemMetrics(SM_CXSCREEN);
        screenHeight_ = ::GetSystemMetrics(SM_CYSCREEN);
    }
    grabPoint_ = client;
    dragging_ = true;
    ::SetCapture(Handle());
}

void CTavixDlg::MoveDrag(POINT client) {
    RECT r;
    if (!::GetWindowRect(Handle(), &r))
        return;
    const ScreenPoint origin =
        DraggedOrigin({r.left, r.top, r.right, r.bottom}, {grabPoint_.x, grabPoint_.y}, {client.x, client.y},
                      settings_.LimitWinPos != 0, screenWidth_, screenHeight_);
    if (origin.x == r.left && origin.y == r.top)
        return;
    if (layeredSupported_ && TheUpdateLayeredWindow && preset_ && preset_->HasAlphaSurface()) {
        // Only the position changes: the frame on the screen is not composed again.
        POINT to = {origin.x, origin.y};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, currentAlpha_, AC_SRC_ALPHA};
        TheUpdateLayeredWindow(Handle(), nullptr, &to, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA);
        return;
    }
    ::SetWindowPos(Handle(), nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTavixDlg::EndDrag() {
    // Cleared first: releasing the capture sends WM_CAPTURECHANGED, which
    // would end the drag a second time.
    dragging_ = false;
    RECT r;
    if (::GetWindowRect(Handle(), &r))
        StoreWindowOrigin(*store_, r.left, r.top);
    ::ReleaseCapture();
}
