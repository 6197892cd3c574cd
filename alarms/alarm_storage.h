#pragma once
// The alarms in the settings store: one section per alarm, "Alarms\1",
// "Alarms\2", ...; the first number whose section has no Flags value ends the
// list. A save in progress also keeps the new list in "PendingAlarms" until it
// has been committed (see the .cpp).

#include <cstdint>
#include <functional>
#include <string>

#include "alarms/alarm_record.h"
#include "core/settings_store.h"

// The section of the n-th alarm, n counted from 1.
std::string AlarmSection(int n);

// `utcOffsetMinutes` is the system's current local time minus UTC; it only
// serves the legacy `Time` value (seconds since 1970 in UTC).

// Stores the list all or nothing: interrupted at any step, the next load or
// save finds exactly the former list or exactly this one. False when a change
// to the store failed; the save then stopped there.
bool SaveAlarms(SettingsStore& store, const AlarmList& list, int32_t utcOffsetMinutes);

// The stored list in key order with the due times as stored, each record
// with its identity. First finishes or drops what an interrupted save left.
// Changes to the list are made to this and saved back, so that no clock's
// older copy or shown time overwrites what another stored.
AlarmList ReadStoredAlarms(SettingsStore& store, int32_t utcOffsetMinutes);

// Rebuilds the list from the store, each alarm moved on to its next occurrence
// after `clockNow()`, which is asked afresh for every alarm. First finishes or
// drops what an interrupted save left.
AlarmList LoadAlarms(SettingsStore& store, const std::function<uint64_t()>& clockNow, int32_t utcOffsetMinutes);
