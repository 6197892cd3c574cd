#pragma once
// The changes a person or the tick makes to the alarms, each applied to a
// list by identity: to the list as stored now (ClockAlarms reads it afresh for
// every change), so a change never lands on another alarm and never brings
// back one that another clock changed or deleted.

#include <cstdint>
#include <map>
#include <vector>

#include "alarms/alarm_record.h"

enum class EditLanding {
    SameAlarm,  // the alarm was still there and took the edit
    ReAdded,    // it had gone meanwhile; the edit came back as a new alarm at the front
};

// A new alarm goes first, with an identity of its own; returns that identity.
uint64_t AddAlarm(AlarmList& list, AlarmRecord record);

// `edited` is the record built by the edit dialog for the alarm `id`. The
// dialog changes only ALARM_NOTICE and ALARM_SHUTDOWN in Flags; the other
// bits are taken from the alarm as it is now (a tick may have disabled it).
EditLanding ApplyEdit(AlarmList& list, uint64_t id, AlarmRecord edited);

// False when no alarm has the identity.
bool DeleteAlarm(AlarmList& list, uint64_t id);

// The alarms dialog's check boxes: identity to enabled. Alarms gone meanwhile are skipped.
void SetAlarmsEnabled(AlarmList& list, const std::map<uint64_t, bool>& enabled);

// One-shot alarms that rang: they stay in the list, disabled.
void DisableRungAlarms(AlarmList& list, const std::vector<uint64_t>& ids);
