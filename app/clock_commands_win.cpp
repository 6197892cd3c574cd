// The commands of the clock's context menu.
#include "alarms/alarms_dlg_win.h"
#include "alarms/clock_alarms_dialog_host_win.h"
#include "app/clock_window_win.h"
#include "res/resource.h"

bool CTavixDlg::OnCommand(WORD id, WORD notifyCode, HWND control) {
    switch (id) {
        case ID_CMD_ALARMS:
            OpenAlarmsDialog();
            return true;
        case ID_CMD_OPTIONS:
            OpenOptions();
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
