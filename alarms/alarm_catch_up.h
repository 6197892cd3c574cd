#pragma once
// What the clock makes of a stretch in which it did not run: the alarms that
// fell due beyond the catch-up window (to be told once, not run late), the
// last moment a clock was seen running, and how a tick tells that the shown
// time jumped or that the computer slept.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "alarms/alarm_record.h"
#include "core/settings_store.h"

struct MissedAlarm {
    std::string Name;
    uint64_t DueTime = 0;  // clock time of the first occurrence missed
    bool OneShot = false;

    bool operator==(const MissedAlarm& other) const {
        return Name == other.Name && DueTime == other.DueTime && OneShot == other.OneShot;
    }
};

// The enabled alarms due in (since, until], in order of due time. One-shot
// ones lose ALARM_ENABLED, as the catch-up would have done; recurring ones
// are left for the tick to move on. Alarms that run no actions (ALARM_SILENT)
// are disabled alike but not listed.
std::vector<MissedAlarm> TakeMissedAlarms(AlarmList& list, uint64_t since, uint64_t until);

// The value in the settings key holding the UTC time at which a clock was
// last seen running, in seconds since 1970 like an alarm's "Time".
constexpr const char* kLastTickValue = "LastTick";
void StoreLastTick(SettingsStore& store, uint64_t utcNow);
// nullopt when nothing usable is stored.
std::optional<uint64_t> StoredLastTick(const SettingsStore& store);

// The earliest due time after `now` of an enabled alarm, the moment the
// computer is to wake for.
std::optional<uint64_t> NextWakeDueTime(const AlarmList& list, uint64_t now);

// Watches the ticks for what their two times alone do not tell.
class TickWatch {
public:
    struct Stretch {
        // The shown time moved against UTC since the last tick: another zone,
        // or a daylight-time change of the zone shown.
        bool jumped = false;
        // The clock did not tick for longer than the catch-up window (the
        // computer slept or hibernated), or a resume was reported.
        bool slept = false;
    };
    // `steadyNow` runs on through sleep and ignores changes of the system
    // time (100-ns units). The first observation reports nothing.
    Stretch Observe(uint64_t shownNow, uint64_t utcNow, uint64_t steadyNow);
    void NoteResume() { resumed_ = true; }
    // Shown time minus UTC at the last tick, in 100-ns units (whole minutes).
    int64_t Offset() const { return offset_.value_or(0); }

private:
    std::optional<int64_t> offset_;
    std::optional<uint64_t> steady_;
    bool resumed_ = false;
};

// Shown time minus UTC rounded to whole minutes, in 100-ns units: the two
// readings of a tick may lie a few milliseconds apart.
int64_t ShownOffset(uint64_t shownNow, uint64_t utcNow);
