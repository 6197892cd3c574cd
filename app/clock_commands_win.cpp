// The commands of the clock's context menu.
#include "alarms/alarms_dlg_win.h"
#include "alarms/clock_alarms_dialog_host_win.h"
#include "app/clock_window_win.h"
#include "core/product_address.h"
#include "render/about_dlg_win.h"
#include "render/month_cal_dlg_win.h"
#include "res/resource.h"

bool CTavixDlg::OnCommand(WORD id, WORD notifyCode, HWND control) {
    switch (id) {
        case ID_CMD_OPTIONS:
            OpenOptions();
            return true;
        case ID_CMD_ALARMS:
            OpenAlarmsDialog();
            return true;
        case ID_CMD_CALENDAR: {
            CMonthCalDlg calendar(Handle());
            calendar.DoModal();
            return true;
        }
        case ID_CMD_ABOUT: {
            // Without a parent, like the program's other top-level boxes; the
            // clock keeps taking the mouse meanwhile.
            AboutDlg about(ProductWebAddress());
            about.DoModal();
            return true;
        }
        case ID_CMD_EXIT:
            ::PostQuitMessage(0);
            return true;
        case ID_CMD_CLICK_THROUGH:
            ToggleClickThrough();
            return true;
        case ID_CMD_UNMOVABLE:
            ToggleUnmovable();
            return true;
        case ID_CMD_ON_TOP:
            ToggleOnTop();
            return true;
        default:
            return CDialog::OnCommand(id, notifyCode, control);
    }
}

void CTavixDlg::OpenAlarmsDialog() {
    ClockAlarmsDialogHost host(
        *alarms_, *store_, isNT_, [this] { return settings_.DontReposWindow != 0; }, appFolder_);
    CAlarmsDlg dialog(Handle(), host);
    dialog.DoModal();
}

void CTavixDlg::ToggleClickThrough() {
    // Only a layered window lets the mouse through; the menu offers the item only then.
    if (!layeredSupported_)
        return;
    if (settings_.UseAlpha2)
        StopHoverWatch();
    settings_.ClickThrough = settings_.ClickThrough ? 0 : 1;
    if (settings_.UseAlpha2)
        StartHoverWatch();
    // The one bit only: the others stay as they are (On top leaves no-activate
    // on the window while it clears PinToDesktop).
    const LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE,
                        settings_.ClickThrough ? (style | WS_EX_TRANSPARENT) : (style & ~LONG_PTR{WS_EX_TRANSPARENT}));
    store_->WriteInt(kSettingsSection, "ClickThrough", static_cast<uint32_t>(settings_.ClickThrough));
}

void CTavixDlg::ToggleUnmovable() {
    // A drag already under way goes on.
    settings_.UnmovableWin = settings_.UnmovableWin ? 0 : 1;
    store_->WriteInt(kSettingsSection, "UnmovableWin", static_cast<uint32_t>(settings_.UnmovableWin));
}

void CTavixDlg::ToggleOnTop() {
    settings_.OnTop = settings_.OnTop ? 0 : 1;
    if (settings_.OnTop) {
        // Only the member: the window keeps no-activate, and the store learns
        // of the change with the next full save.
        settings_.PinToDesktop = 0;
    }
    ::SetWindowPos(Handle(), settings_.OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    store_->WriteInt(kSettingsSection, "OnTop", static_cast<uint32_t>(settings_.OnTop));
}
