#include "alarms/clock_alarms_dialog_host_win.h"

#include <utility>

#include "alarms/fire_alarm_win.h"

ClockAlarmsDialogHost::ClockAlarmsDialogHost(ClockAlarms& alarms,
                                             SettingsStore& store,
                                             bool isNT,
                                             std::function<bool()> dontReposWindow,
                                             std::string programFolder)
    : alarms_(alarms),
      store_(store),
      isNT_(isNT),
      dontReposWindow_(std::move(dontReposWindow)),
      programFolder_(std::move(programFolder)) {}

void ClockAlarmsDialogHost::FireAlarm(const AlarmRecord& alarm) {
    ::FireAlarm(alarm, isNT_);
}
