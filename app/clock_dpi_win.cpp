// The clock on monitors of different scales: the face is rebuilt for the
// monitor's DPI instead of being stretched by the system.
#include "app/clock_window_win.h"
#include "render/display_scale.h"
#include "win/monitor_dpi_win.h"

int CTavixDlg::CurrentDpi() {
    if (dpi_ == 0)
        dpi_ = SaneDpi(WindowDpi(Handle()));
    return dpi_;
}

void CTavixDlg::OnDpiChanged(int dpi, const RECT& suggested) {
    const int oldDpi = CurrentDpi();
    const RECT target = suggested;  // the sender's; copied before anything moves
    dpi_ = SaneDpi(dpi);
    // All or nothing: a preset that no longer loads keeps the old face.
    if (!presetPath_.empty())
        LoadPreset(presetPath_);
    POINT origin = {target.left, target.top};
    if (dragging_) {
        // The grabbed point scales with the face and stays under the cursor.
        grabPoint_.x = ::MulDiv(grabPoint_.x, dpi_, oldDpi);
        grabPoint_.y = ::MulDiv(grabPoint_.y, dpi_, oldDpi);
        POINT cursor;
        if (::GetCursorPos(&cursor))
            origin = {cursor.x - grabPoint_.x, cursor.y - grabPoint_.y};
    }
    int width = target.right - target.left;
    int height = target.bottom - target.top;
    if (preset_) {
        // The face's own size: the system's rectangle is the old one scaled,
        // which may differ by rounding or where a limit applied.
        width = preset_->WindowWidth();
        height = preset_->WindowHeight();
    }
    ::SetWindowPos(Handle(), nullptr, origin.x, origin.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
