#include "app/clock_window_win.h"

#include "alarms/clock_alarms_win.h"
#include "app/platform_entry_points_win.h"
#include "app/registry_store_win.h"
#include "app/system_clock_win.h"
#include "app/tavix_app_win.h"
#include "app/tray_icon_win.h"
#include "res/resource.h"
#include "win/message_box_win.h"
#include "win/proc_address_win.h"

CTavixDlg* TheClockWindow = nullptr;

namespace {

std::string ExecutableFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    const size_t slash = folder.find_last_of('\\');
    folder.erase(slash == std::string::npos ? 0 : slash + 1);
    return folder;
}

}  // namespace

CTavixDlg::CTavixDlg(HWND owner) : CDialog(IDD_CLOCK, owner) {
    TheClockWindow = this;
    AppFolder = ExecutableFolder();
    AppIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVIX));
    DialogBrush.reset(::CreateSolidBrush(RGB(68, 106, 179)));

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExA(&version);
    IsNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    LayeredSupported = IsNT && version.dwMajorVersion >= 5;
    IsVistaOrLater = IsNT && version.dwMajorVersion >= 6;

    if (LayeredSupported) {
        if (HMODULE user32 = ::GetModuleHandleA("USER32.DLL")) {
            TheUpdateLayeredWindow = LookupProc<UpdateLayeredWindowFn>(user32, "UpdateLayeredWindow");
            if (!TheUpdateLayeredWindow) {
                ShowMessage("UpdateLayeredWindow error!");
                LayeredSupported = 0;
            }
        } else {
            LayeredSupported = 0;
        }
    }
    if (IsNT) {
        if (HMODULE kernel32 = ::GetModuleHandleA("KERNEL32.DLL"))
            TheSystemTimeToTzSpecificLocalTime =
                LookupProc<TzSpecificLocalTimeFn>(kernel32, "SystemTimeToTzSpecificLocalTime");
    }

    store_ = std::make_unique<RegistryStore>(HKEY_CURRENT_USER, CWinApp::Current()->ProfileKeyPath());
    alarms_ = std::make_unique<ClockAlarms>(*store_, &LocalClockTimeNow, IsNT != 0);
}

CTavixDlg::~CTavixDlg() {
    if (TheClockWindow == this) TheClockWindow = nullptr;
}

BOOL CTavixDlg::OnInitDialog() {
    ScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    PlaceWindow();
    ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(AppIcon));
    ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(AppIcon));
    trayIconAdded_ = tray_icon::Add(Handle(), CWinApp::Current()->Instance(), "Tavix");
    CWinApp::Current()->SetMainWindow(Handle());
    if (Settings.PinToDesktop && LayeredSupported) SetShowCommand(SW_SHOWNA);
    return TRUE;
}

bool CTavixDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (message) {
        case WM_TIMER:
            OnTimer(wParam);
            return false;  // the default processing follows
        case WM_TIMECHANGE:
            alarms_->Load();
            return false;
        case WM_PAINT:
            PaintFrame();
            return false;
        case WM_CTLCOLORDLG:
            result = reinterpret_cast<INT_PTR>(DialogBrush.get());
            return true;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<INT_PTR>(AppIcon);
            return true;
        default:
            return false;
    }
}
