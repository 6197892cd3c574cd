#include "alarms/alarm_storage.h"

#include <cstdio>

#include "alarms/alarm_schedule.h"
#include "core/clock_time.h"

namespace {

constexpr uint32_t kDefaultFlags = ALARM_ENABLED | ALARM_NOTICE;
// 1601-01-01 to 1970-01-01 in seconds.
constexpr int64_t kEpochSeconds = 11644473600LL;

// Any Flags value makes a section an alarm, whatever its content.
bool HoldsAlarm(const SettingsStore& store, int n) {
    return store.ReadInt(AlarmSection(n), "Flags").has_value();
}

int CountStoredAlarms(const SettingsStore& store) {
    int n = 0;
    while (HoldsAlarm(store, n + 1))
        ++n;
    return n;
}

uint64_t OffsetTicks(int32_t utcOffsetMinutes) {
    return static_cast<uint64_t>(static_cast<int64_t>(utcOffsetMinutes) * static_cast<int64_t>(clock_time::kMinute));
}

uint32_t LegacySeconds(uint64_t dueTime, int32_t utcOffsetMinutes) {
    const uint64_t utc = dueTime - OffsetTicks(utcOffsetMinutes);
    return static_cast<uint32_t>((utc - clock_time::kUnixEpoch) / clock_time::kSecond);
}

uint64_t FromLegacySeconds(uint32_t stored, int32_t utcOffsetMinutes) {
    const int64_t seconds = static_cast<int32_t>(stored);
    return static_cast<uint64_t>((seconds + kEpochSeconds) * static_cast<int64_t>(clock_time::kSecond)) +
           OffsetTicks(utcOffsetMinutes);
}

class SectionWriter {
public:
    SectionWriter(SettingsStore& store, std::string section) : store_(store), section_(std::move(section)) {}

    void Int(const char* name, uint32_t value) { ok_ = ok_ && store_.WriteInt(section_, name, value); }
    void String(const char* name, const std::string& value) { ok_ = ok_ && store_.WriteString(section_, name, value); }
    // An optional value the record does not have is removed, so nothing of an
    // earlier occupant of the section stays. A failed delete leaves a stale
    // value, never a lost alarm, so it does not stop the save.
    void OptionalInt(const char* name, uint32_t value, bool present) {
        if (present)
            Int(name, value);
        else if (ok_)
            store_.DeleteValue(section_, name);
    }
    void OptionalString(const char* name, const std::string& value) {
        if (!value.empty())
            String(name, value);
        else if (ok_)
            store_.DeleteValue(section_, name);
    }
    bool Ok() const { return ok_; }

private:
    SettingsStore& store_;
    std::string section_;
    bool ok_ = true;
};

// Flags goes last: a section that did not hold an alarm becomes part of the
// list only once it holds the whole record.
bool WriteAlarm(SettingsStore& store, int n, const AlarmRecord& alarm, int32_t utcOffsetMinutes) {
    SectionWriter w(store, AlarmSection(n));
    w.String("Name", alarm.Name);
    w.Int("Time", LegacySeconds(alarm.DueTime, utcOffsetMinutes));
    w.Int("LTime", static_cast<uint32_t>(alarm.DueTime));
    w.Int("HTime", static_cast<uint32_t>(alarm.DueTime >> 32));
    w.OptionalInt("Reoccurence", alarm.Reoccurence, alarm.Reoccurence != 0);
    w.OptionalString("Execute", alarm.Execute);
    w.OptionalString("Description", alarm.Description);
    w.OptionalString("Sound", alarm.Sound);
    w.OptionalInt("SndLooping", alarm.SndLooping, alarm.SndLooping != 0);
    w.OptionalInt("SndSecs", alarm.SndSecs, alarm.SndSecs != 0);
    w.OptionalInt("Minutes", static_cast<uint32_t>(alarm.Minutes), (alarm.Reoccurence & REPEAT_MINUTES) != 0);
    w.Int("Flags", alarm.Flags);
    return w.Ok();
}

AlarmRecord ReadAlarm(const SettingsStore& store, int n, int32_t utcOffsetMinutes) {
    const std::string section = AlarmSection(n);
    AlarmRecord alarm;
    alarm.Flags = store.GetInt(section, "Flags", kDefaultFlags);
    const uint32_t high = store.GetInt(section, "HTime", 0);
    if (high != 0) {
        alarm.DueTime = (static_cast<uint64_t>(high) << 32) | store.GetInt(section, "LTime", 0);
    } else if (const uint32_t legacy = store.GetInt(section, "Time", 0)) {
        alarm.DueTime = FromLegacySeconds(legacy, utcOffsetMinutes);
    }
    alarm.Reoccurence = store.GetInt(section, "Reoccurence", 0);
    alarm.Name = store.GetString(section, "Name", "");
    alarm.Execute = store.GetString(section, "Execute", "");
    alarm.Sound = store.GetString(section, "Sound", "");
    alarm.Description = store.GetString(section, "Description", "");
    alarm.SndLooping = store.GetInt(section, "SndLooping", 0);
    alarm.SndSecs = store.GetInt(section, "SndSecs", 0);
    if (alarm.Reoccurence & REPEAT_MINUTES)
        alarm.Minutes = static_cast<int32_t>(store.GetInt(section, "Minutes", 0));
    return alarm;
}

}  // namespace

std::string AlarmSection(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s\\%d", "Alarms", n);
    return name;
}

// The stored list is sections 1..M; the new one has N records. A save never
// deletes an alarm before its successor is safe elsewhere:
//   1. Append a copy of the new list behind the stored one, as sections
//      M+1..M+N, each wiped first and given its Flags last, and the section
//      after it wiped before that Flags is written, so no stale section above
//      a gap joins the list.
//   2. Rewrite sections 1..N in place with the new list.
//   3. Delete sections M+N down to N+1, from the top, so the list stays
//      contiguous.
// Invariant: at every step the loadable list (sections 1 up to the first
// without Flags) holds every stored alarm complete, either as it was or as
// the new list has it. In step 1 the old sections are untouched. In step 2,
// while section k is rewritten (briefly mixing two records), every new record
// lies complete in a section below k or in its copy M+j > k. Step 3 removes
// only sections whose records are complete in 1..N. An interruption can thus
// leave duplicates and one mixed section, never a lost alarm.
bool SaveAlarms(SettingsStore& store, const AlarmList& list, int32_t utcOffsetMinutes) {
    const int stored = CountStoredAlarms(store);
    const int count = static_cast<int>(list.size());

    store.DeleteSection(AlarmSection(stored + 1));
    for (int j = 1; j <= count; ++j) {
        store.DeleteSection(AlarmSection(stored + j + 1));
        if (!WriteAlarm(store, stored + j, list[j - 1], utcOffsetMinutes))
            return false;
    }
    for (int k = 1; k <= count; ++k) {
        if (!WriteAlarm(store, k, list[k - 1], utcOffsetMinutes))
            return false;
    }
    bool ok = true;
    for (int k = stored + count; k > count; --k)
        ok = store.DeleteSection(AlarmSection(k)) && ok;
    return ok;
}

AlarmList LoadAlarms(SettingsStore& store, const std::function<uint64_t()>& clockNow, int32_t utcOffsetMinutes) {
    AlarmList list;
    int n = 1;
    for (; HoldsAlarm(store, n); ++n) {
        const uint64_t now = clockNow();
        AlarmRecord alarm = ReadAlarm(store, n, utcOffsetMinutes);
        alarm.StoredKey = n;
        alarm.DueTime = NextDueTime(alarm, now);
        list.InsertByDueTime(std::move(alarm));
    }
    // Whatever a former, longer list left in the section that ends the list goes.
    store.DeleteSection(AlarmSection(n));
    return list;
}
