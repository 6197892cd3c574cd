#pragma once
// The alarms in the settings store: one section per alarm, "Alarms\1",
// "Alarms\2", ...; the first number whose section has no Flags value ends the
// list.

#include <cstdint>
#include <functional>
#include <string>

#include "alarms/alarm_record.h"
#include "core/settings_store.h"

// The section of the n-th alarm, n counted from 1.
std::string AlarmSection(int n);

// `utcOffsetMinutes` is the system's current local time minus UTC; it only
// serves the legacy `Time` value (seconds since 1970 in UTC).

// Stores the list so that an interruption at any step loses no stored alarm
// (see the .cpp). False when a write failed; the save then stopped there.
bool SaveAlarms(SettingsStore& store, const AlarmList& list, int32_t utcOffsetMinutes);

// Rebuilds the list from the store, each alarm moved on to its next occurrence
// after `clockNow()`, which is asked afresh for every alarm.
AlarmList LoadAlarms(SettingsStore& store, const std::function<uint64_t()>& clockNow, int32_t utcOffsetMinutes);
