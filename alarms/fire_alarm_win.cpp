#include "alarms/fire_alarm_win.h"

#include <windows.h>

#include "alarms/alarm_sound_win.h"
#include "alarms/show_alarm_dlg_win.h"
#include "alarms/system_shutdown_win.h"

void SystemAlarmEffects::RunProgram(const std::string& commandLine) {
    ::WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

void SystemAlarmEffects::OpenNotice(const AlarmRecord& alarm) {
    CShowAlarmDlg::Open(alarm);
}

void SystemAlarmEffects::PlaySoundAndWait(const AlarmRecord& alarm) {
    PlaySoundDirect(alarm);
}

void SystemAlarmEffects::ShutDown() {
    ShutDownSystem(isNT_);
}

void FireAlarm(const AlarmRecord& alarm, bool isNT) {
    SystemAlarmEffects effects(isNT);
    RunAlarmActions(alarm, effects);
}
