// The clock window's alarms after a stretch in which no clock ran: what fell
// due then is told, not run late.
#include <set>

#include "alarms/alarm_list_edits.h"
#include "alarms/alarm_schedule.h"
#include "alarms/alarm_storage.h"
#include "alarms/clock_alarms.h"

namespace {

std::set<uint64_t> EnabledOneShots(const AlarmList& list) {
    std::set<uint64_t> ids;
    for (const AlarmRecord& alarm : list) {
        if (alarm.Reoccurence == 0 && (alarm.Flags & ALARM_ENABLED))
            ids.insert(alarm.Id);
    }
    return ids;
}

// The one-shot alarms of `list` that were among `before` and are disabled now.
std::vector<uint64_t> DisabledSince(const AlarmList& list, const std::set<uint64_t>& before) {
    std::vector<uint64_t> ids;
    for (const AlarmRecord& alarm : list) {
        if (!(alarm.Flags & ALARM_ENABLED) && before.count(alarm.Id))
            ids.push_back(alarm.Id);
    }
    return ids;
}

}  // namespace

std::vector<MissedAlarm> ClockAlarms::CheckAfterSleep(uint64_t prev, uint64_t now) {
    std::vector<MissedAlarm> missed;
    // Inside a running walk the stretch only waits for it (Check defers it);
    // what lies beyond the window then moves on without a notice.
    if (!checking_ && now >= kAlarmCatchUp) {
        const std::set<uint64_t> enabled = EnabledOneShots(list_);
        missed = TakeMissedAlarms(list_, prev, now - kAlarmCatchUp);
        // Stored before anything runs: a program or a shutdown of a due
        // alarm must not leave a missed one-shot alarm enabled. The list in
        // memory already has them disabled and needs no reload.
        const std::vector<uint64_t> rung = DisabledSince(list_, enabled);
        if (!rung.empty())
            SaveChange([&rung](AlarmList& stored) { DisableRungAlarms(stored, rung); });
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
    const std::set<uint64_t> enabled = EnabledOneShots(asOf);
    std::vector<MissedAlarm> missed = TakeMissedAlarms(asOf, lastSeen, until);
    const std::vector<uint64_t> rung = DisabledSince(asOf, enabled);
    // The first Load follows.
    if (!rung.empty())
        SaveChange([&rung](AlarmList& stored) { DisableRungAlarms(stored, rung); });
    return missed;
}
