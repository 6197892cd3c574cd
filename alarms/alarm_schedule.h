#pragma once
// When alarms fall due and where a recurring alarm goes next. All times are
// clock times; comparisons are unsigned.

#include <cstdint>
#include <optional>

#include "alarms/alarm_record.h"
#include "core/clock_time.h"

// How far back a tick still rings an alarm it reaches late: 35 minutes.
constexpr uint64_t kAlarmCatchUp = 21000000000ULL;

// The record's due time brought forward to its next occurrence after `now`
// (one-shot alarms keep theirs).
uint64_t NextDueTime(const AlarmRecord& alarm, uint64_t now);

// What a due alarm sets off; the tick supplies the real actions, tests record them.
class AlarmCheckHooks {
public:
    virtual ~AlarmCheckHooks() = default;
    virtual void Fire(const AlarmRecord& alarm) = 0;
    // A one-shot alarm was disabled: the list must be stored before the next
    // load, and before anything that may end the process.
    virtual void Save() = 0;
};

// The alarm step of the tick for the stretch (prev, now]. Returns whether any
// enabled alarm was due; the caller then reloads the list, which moves the
// recurring ones on.
bool CheckAlarms(AlarmList& list, uint64_t prev, uint64_t now, AlarmCheckHooks& hooks);

// Before the alarm step: a recurring alarm whose due time lies beyond the
// catch-up window can no longer ring there, so it moves on to its first
// occurrence within the window or later. A jump of the shown time (another
// zone, a daylight-time change, a new system time) would otherwise leave it
// behind for good. True when any due time changed.
bool MoveOnSkippedAlarms(AlarmList& list, uint64_t now);

// After the alarm step: recurring alarms still due at or before `now` had their
// tick and move on to their next occurrence; the list is put back in order of
// due time. True when any due time changed.
bool MoveOnPassedAlarms(AlarmList& list, uint64_t now);

// The due time the edit dialog gives a confirmed alarm of the repeat kind
// `kind` (0 for once, else one REPEAT_* kind bit): `localNow` with the time of
// day of `timeOfDay` (millisecond 0) and, by kind, the date, the day or the
// month and day of `date`. A day the month (or a 29 February the year) lacks
// gives the first later month (year) that has it, so the alarm keeps its day.
// nullopt only outside the calendar's range.
std::optional<uint64_t> ConfirmedDueTime(const clock_time::CivilTime& localNow,
                                         const clock_time::CivilTime& timeOfDay,
                                         const clock_time::CivilTime& date,
                                         uint32_t kind);
