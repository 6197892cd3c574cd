#include "app/tavix_app_win.h"

#include <commctrl.h>

#include <memory>

#include "app/clock_window_win.h"
#include "win/frame_window_win.h"

CTavixApp& TheApp() {
    return *static_cast<CTavixApp*>(CWinApp::Current());
}

BOOL CTavixApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = 8;
    controls.dwICC = 0xFF;
    ::InitCommonControlsEx(&controls);

    // Never shown: it owns the clock window so that the clock has no taskbar
    // button. Without it the clock still runs, only with a button: better than
    // no clock.
    CFrameWnd owner;
    if (!owner.Create(Instance(), WS_OVERLAPPEDWINDOW))
        owner.Destroy();
    SetRegistryKey("Quandel");

    auto clock = std::make_unique<CTavixDlg>(owner.Handle());
    clock->DoModal();
    SetMainWindow(nullptr);
    clock.reset();
    owner.Destroy();
    // The program ends here; there is no message loop of the application's own.
    return FALSE;
}
