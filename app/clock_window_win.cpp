#include "app/clock_window_win.h"

#include "alarms/alarm_tick_win.h"
#include "alarms/alarms_changed_win.h"
#include "alarms/alarms_dialog_host.h"
#include "alarms/clock_alarms_win.h"
#include "app/registry_store_win.h"
#include "app/tavix_app_win.h"
#include "app/tray_icon_win.h"
#include "res/resource.h"
#include "win/message_box_win.h"
#include "win/module_path_win.h"
#include "win/platform_entry_points_win.h"
#include "win/proc_address_win.h"

CTavixDlg* TheClockWindow = nullptr;

namespace {

// The application object has already refused to start without the whole path.
std::string ExecutableFolder() {
    std::string folder = ExecutablePath().value_or(std::string());
    const size_t slash = folder.find_last_of('\\');
    folder.erase(slash == std::string::npos ? 0 : slash + 1);
    return folder;
}

}  // namespace

CTavixDlg::CTavixDlg(HWND owner) : CDialog(IDD_CLOCK, owner) {
    TheClockWindow = this;
    appFolder_ = ExecutableFolder();
    appIcon_ = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVIX));
    dialogBrush_.reset(::CreateSolidBrush(RGB(68, 106, 179)));

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExA(&version);
    isNT_ = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    layeredSupported_ = isNT_ && version.dwMajorVersion >= 5;
    isVistaOrLater_ = isNT_ && version.dwMajorVersion >= 6;

    if (layeredSupported_) {
        if (HMODULE user32 = ::GetModuleHandleA("USER32.DLL")) {
            TheUpdateLayeredWindow = LookupProc<UpdateLayeredWindowFn>(user32, "UpdateLayeredWindow");
            TheUpdateLayeredWindowIndirect =
                LookupProc<UpdateLayeredWindowIndirectFn>(user32, "UpdateLayeredWindowIndirect");
            if (!TheUpdateLayeredWindow) {
                ShowMessage("UpdateLayeredWindow error!");
                layeredSupported_ = false;
            }
        } else {
            layeredSupported_ = false;
        }
    }
    if (isNT_) {
        if (HMODULE kernel32 = ::GetModuleHandleA("KERNEL32.DLL"))
            TheSystemTimeToTzSpecificLocalTime =
                LookupProc<TzSpecificLocalTimeFn>(kernel32, "SystemTimeToTzSpecificLocalTime");
    }

    store_ = std::make_unique<RegistryStore>(HKEY_CURRENT_USER, CWinApp::Current()->ProfileKeyPath());
    // The alarms fall due by the time the face shows.
    alarms_ = std::make_unique<ClockAlarms>(
        *store_, [this] { return shownTime_.NowAsClockTime(); }, isNT_);
    // A tick that reloaded the list refills every open alarms dialog.
    alarms_->SetListChangedCallback(&RefillOpenAlarmsDialogs);
    alarmTick_ = std::make_unique<AlarmTick>();
    // Every clock's list follows what any of them stored.
    alarms_->SetSavedCallback(&TellClocksAlarmsChanged);
}

CTavixDlg::~CTavixDlg() {
    if (TheClockWindow == this)
        TheClockWindow = nullptr;
}

BOOL CTavixDlg::OnInitDialog() {
    screenWidth_ = ::GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = ::GetSystemMetrics(SM_CYSCREEN);
    PlaceWindow();
    ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));
    tray_icon::Add(Handle(), CWinApp::Current()->Instance(), "Tavix");
    CWinApp::Current()->SetMainWindow(Handle());
    if (settings_.PinToDesktop && layeredSupported_)
        SetShowCommand(SW_SHOWNA);
    if (settings_.UseAlpha2 && layeredSupported_)
        StartHoverWatch();
    return TRUE;
}

bool CTavixDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (IsOtherClocksAlarmsChange(message, wParam)) {
        // As of the last tick: an alarm due since then still rings at the next.
        alarms_->ReloadAsOf(lastTickTime_);
        RefillOpenAlarmsDialogs();
        return true;
    }
    switch (message) {
        case WM_TIMER:
            OnTimer(wParam);
            return false;  // the default processing follows
        case WM_TIMECHANGE:
            alarms_->ReloadAsOf(lastTickTime_);
            RefillOpenAlarmsDialogs();
            return false;
        case WM_POWERBROADCAST:
            alarmTick_->OnPowerBroadcast(wParam, *store_);
            return false;
        case WM_PAINT:
            if (!layeredSupported_ && preset_)
                FrameComposer::Paint(Handle(), *preset_);
            return false;
        case WM_CTLCOLORDLG:
            result = reinterpret_cast<INT_PTR>(dialogBrush_.get());
            return true;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            result = 0;
            return true;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<INT_PTR>(appIcon_);
            return true;
        default:
            return HandleInputMessage(message, wParam, lParam, result);
    }
}
