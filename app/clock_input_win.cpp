// What reaches the clock from the mouse, from its tray icon and from a shell
// that started again.
#include <windowsx.h>

#include "app/clock_window_win.h"
#include "app/tray_icon_win.h"

namespace {

POINT ClientPoint(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The shell broadcasts this to every top-level window when its taskbar was
// created, after a restart of Explorer too; the icons it knew are gone.
UINT TaskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

bool CTavixDlg::HandleInputMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_LBUTTONDOWN:
            BeginDrag(ClientPoint(lParam));
            return false;
        case WM_MOUSEMOVE:
            OnHoverMouseMove();
            if (dragging_)
                MoveDrag(ClientPoint(lParam));
            return false;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return false;
        case WM_LBUTTONUP:
            // A message loop that is not ours (a message box shown from the
            // tick) dispatches the release without our pre-translation; the
            // capture brings it here.
            if (dragging_)
                EndDrag();
            return false;
        case WM_CAPTURECHANGED:
            // The capture taken away (a task switch, another program) ends the
            // drag where it is; otherwise the clock would follow the cursor
            // with no button held.
            if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle())
                EndDrag();
            return false;
        case WM_RBUTTONDOWN:
            ShowContextMenu(ClientPoint(lParam));
            result = 0;
            return true;
        case tray_icon::kCallbackMessage:
            // The same number is the dialog manager's DM_GETDEFID; the clock
            // has no buttons, so "no default button" (0) is the right answer
            // to it as well.
            result = OnTrayNotification(wParam, lParam);
            return true;
        default:
            if (message == TaskbarCreatedMessage() && message != 0)
                OnTaskbarCreated();
            return false;
    }
}

bool CTavixDlg::PreTranslateMessage(MSG* message) {
    // Every left-button-up of the program passes here, whatever modal loop
    // runs, so a drag ends even when the button comes up over another window.
    if (message->message == WM_LBUTTONUP && dragging_)
        EndDrag();
    return CDialog::PreTranslateMessage(message);
}
