// The tray icon's mouse notifications, and the icon added again when the
// shell comes back after a restart.
#include "app/clock_window_win.h"
#include "app/tavix_app_win.h"
#include "app/tray_icon_win.h"

INT_PTR CTavixDlg::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != tray_icon::kId)
        return 0;
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_RBUTTONUP: {
            POINT p = {};
            ::GetCursorPos(&p);
            ::ScreenToClient(Handle(), &p);
            ShowContextMenu(p);
            return 1;
        }
        case WM_LBUTTONDBLCLK:
            ::SetForegroundWindow(Handle());
            ::SendMessageA(Handle(), DM_REPOSITION, 0, 0);
            return 1;
        default:
            return 0;
    }
}

void CTavixDlg::OnTaskbarCreated() {
    // The restarted shell knows no icons: add ours again; the next tick
    // brings back the tip of the moment. The message also comes at times when
    // the shell still has the icon: the add then fails, and the icon is still
    // removed at the end.
    tray_icon::Add(Handle(), CWinApp::Current()->Instance(), "Tavix");
    tooltipRefreshPending_ = true;
}
