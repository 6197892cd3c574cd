#pragma once
// The alarms dialogs' host over the clock's ClockAlarms: what the clock window
// hands to CAlarmsDlg. Register RefillOpenAlarmsDialogs as the ClockAlarms
// list-changed callback so the tick refills an open dialog.

#include <functional>
#include <string>

#include "alarms/alarms_dialog_host.h"
#include "alarms/clock_alarms.h"

class ClockAlarmsDialogHost : public AlarmsDialogHost {
public:
    ClockAlarmsDialogHost(ClockAlarms& alarms,
                          SettingsStore& store,
                          bool isNT,
                          std::function<bool()> dontReposWindow,
                          std::string programFolder);

    const AlarmList& Alarms() override { return alarms_.List(); }
    bool ChangeAlarms(const std::function<void(AlarmList&)>& change) override { return alarms_.Change(change); }
    void LoadAlarms() override { alarms_.Load(); }
    void FireAlarm(const AlarmRecord& alarm) override;
    SettingsStore& Store() override { return store_; }
    bool DontReposWindow() const override { return dontReposWindow_ && dontReposWindow_(); }
    std::string ProgramFolder() const override { return programFolder_; }

private:
    ClockAlarms& alarms_;
    SettingsStore& store_;
    bool isNT_;
    std::function<bool()> dontReposWindow_;
    std::string programFolder_;
};
