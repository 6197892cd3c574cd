#include "alarms/alarm_catch_up.h"

#include <algorithm>

#include "alarms/alarm_schedule.h"
#include "core/clock_time.h"

namespace {

// 1970-01-01 as a FILETIME count.
constexpr uint64_t kUnixEpoch = 116444736000000000ULL;

}  // namespace

std::vector<MissedAlarm> TakeMissedAlarms(AlarmList& list, uint64_t since, uint64_t until) {
    std::vector<MissedAlarm> missed;
    for (AlarmRecord& alarm : list) {
        if (!(alarm.Flags & ALARM_ENABLED) || alarm.DueTime <= since || alarm.DueTime > until)
            continue;
        if (!(alarm.Flags & ALARM_SILENT))
            missed.push_back({alarm.Name, alarm.DueTime, alarm.Reoccurence == 0});
        if (alarm.Reoccurence == 0)
            alarm.Flags &= ~ALARM_ENABLED;
    }
    std::stable_sort(missed.begin(), missed.end(),
                     [](const MissedAlarm& a, const MissedAlarm& b) { return a.DueTime < b.DueTime; });
    return missed;
}

void StoreLastTick(SettingsStore& store, uint64_t utcNow) {
    if (utcNow > kUnixEpoch)
        store.WriteInt("", kLastTickValue, static_cast<uint32_t>((utcNow - kUnixEpoch) / clock_time::kSecond));
}

std::optional<uint64_t> StoredLastTick(const SettingsStore& store) {
    const std::optional<uint32_t> seconds = store.ReadInt("", kLastTickValue);
    if (!seconds || *seconds == 0)
        return std::nullopt;
    return kUnixEpoch + static_cast<uint64_t>(*seconds) * clock_time::kSecond;
}

std::optional<uint64_t> NextWakeDueTime(const AlarmList& list, uint64_t now) {
    std::optional<uint64_t> next;
    for (const AlarmRecord& alarm : list) {
        if ((alarm.Flags & ALARM_ENABLED) && alarm.DueTime > now && (!next || alarm.DueTime < *next))
            next = alarm.DueTime;
    }
    return next;
}

int64_t ShownOffset(uint64_t shownNow, uint64_t utcNow) {
    const int64_t minute = static_cast<int64_t>(clock_time::kMinute);
    const int64_t difference = static_cast<int64_t>(shownNow - utcNow);
    const int64_t half = difference < 0 ? -minute / 2 : minute / 2;
    return (difference + half) / minute * minute;
}

TickWatch::Stretch TickWatch::Observe(uint64_t shownNow, uint64_t utcNow, uint64_t steadyNow) {
    Stretch stretch;
    const int64_t offset = ShownOffset(shownNow, utcNow);
    stretch.jumped = offset_ && *offset_ != offset;
    stretch.slept = resumed_ || (steady_ && steadyNow - *steady_ > kAlarmCatchUp);
    offset_ = offset;
    steady_ = steadyNow;
    resumed_ = false;
    return stretch;
}
