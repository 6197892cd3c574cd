#pragma once
// Bringing a confirmed edit back into the list. The edit dialog works on a
// copy, and a tick may reload the whole list while it is open, so the result
// is applied to the alarm with the same identity, wherever it now stands.

#include <cstdint>

#include "alarms/alarm_record.h"

enum class EditLanding {
    SameAlarm,  // the alarm was still there and took the edit
    ReAdded,    // it had gone meanwhile; the edit came back as a new alarm at the front
};

// `edited` is the record built by the edit dialog for the alarm `id`. The
// dialog changes only ALARM_NOTICE and ALARM_SHUTDOWN in Flags; the other
// bits are taken from the alarm as it is now (a tick may have disabled it).
EditLanding ApplyEdit(AlarmList& list, uint64_t id, AlarmRecord edited);
