#pragma once
// What the alarms dialogs need from the clock window that owns the alarms.
// The clock window implements it; the dialogs never reach the window itself.

#include <functional>
#include <string>

#include "alarms/alarm_record.h"
#include "core/settings_store.h"

class AlarmsDialogHost {
public:
    virtual ~AlarmsDialogHost() = default;

    // The clock's list as last loaded. Its records carry their stored
    // identities, so a row or an edit finds its alarm again after a reload.
    virtual const AlarmList& Alarms() = 0;
    // Applies a change (alarm_list_edits.h) to the list as stored now and
    // reloads; false when the store refused a write (nothing changed).
    virtual bool ChangeAlarms(const std::function<void(AlarmList&)>& change) = 0;
    // Rebuilds the list from the store, moving recurring alarms on.
    virtual void LoadAlarms() = 0;
    // Runs all of the alarm's actions now (the Test button).
    virtual void FireAlarm(const AlarmRecord& alarm) = 0;
    // The application's store: the dialog's position AlarmsLeft/AlarmsTop.
    virtual SettingsStore& Store() = 0;
    // The clock's DontReposWindow option as it is now.
    virtual bool DontReposWindow() const = 0;
    // The program's folder with its trailing backslash.
    virtual std::string ProgramFolder() const = 0;
};

// An open alarms dialog as the tick sees it.
class AlarmsListView {
public:
    virtual ~AlarmsListView() = default;
    // Rebuilds the rows after the list was reloaded.
    virtual void Refill() = 0;
};

// The open alarms dialogs, innermost last. A dialog registers itself for as
// long as its window exists; the menu can open a second one over the first,
// and both must follow the list.
void RegisterOpenAlarmsDialog(AlarmsListView* view);
void UnregisterOpenAlarmsDialog(AlarmsListView* view);
// The innermost open alarms dialog, or null.
AlarmsListView* OpenAlarmsDialog();
// For the tick after it reloaded the list.
void RefillOpenAlarmsDialogs();
