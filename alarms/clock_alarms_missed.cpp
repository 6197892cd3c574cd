// The clock window's alarms after a stretch in which no clock ran: what fell
// due then is told, not run late.
#include <algorithm>

#include "alarms/alarm_schedule.h"
#include "alarms/alarm_storage.h"
#include "alarms/clock_alarms.h"

namespace {

bool AnyOneShot(const std::vector<MissedAlarm>& missed) {
    return std::any_of(missed.begin(), missed.end(), [](const MissedAlarm& m) { return m.OneShot; });
}

}  // namespace

std::vector<MissedAlarm> ClockAlarms::CheckAfterSleep(uint64_t prev, uint64_t now) {
    std::vector<MissedAlarm> missed;
    // Inside a running walk the stretch only waits for it (Check defers it);
    // what lies beyond the window then moves on without a notice.
    if (!checking_ && now >= kAlarmCatchUp) {
        missed = TakeMissedAlarms(list_, prev, now - kAlarmCatchUp);
        // Stored before anything runs: a program or a shutdown of a due
        // alarm must not leave a missed one-shot alarm enabled.
        if (AnyOneShot(missed))
            Save();
    }
    Check(prev, now);
    return missed;
}

std::vector<MissedAlarm> ClockAlarms::TakeMissedSince(uint64_t lastSeen, uint64_t until) {
    if (lastSeen >= until)
        return {};
    // Loaded as of `lastSeen`, each recurring alarm stands at its first
    // occurrence after it; the stored due time alone may be weeks older.
    AlarmList asOf;
    {
        AlarmStoreLockGuard guard(storeLock_.get());
        asOf = LoadAlarms(
            store_, [lastSeen] { return lastSeen; }, utcOffsetMinutes_());
    }
    std::vector<MissedAlarm> missed = TakeMissedAlarms(asOf, lastSeen, until);
    if (AnyOneShot(missed)) {
        list_ = std::move(asOf);
        Save();
    }
    return missed;
}
