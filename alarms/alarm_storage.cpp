#include "alarms/alarm_storage.h"

#include <cstdio>
#include <vector>

#include "alarms/alarm_schedule.h"
#include "alarms/alarm_values.h"
#include "core/clock_time.h"

namespace {

// Any Flags value makes a section an alarm, whatever its content.
bool HoldsAlarm(const SettingsStore& store, int n) {
    return store.ReadInt(AlarmSection(n), "Flags").has_value();
}

// The list's length, when its first `known` sections are known to hold alarms.
int CountStoredAlarms(const SettingsStore& store, int known = 0) {
    int n = known;
    while (HoldsAlarm(store, n + 1))
        ++n;
    return n;
}

}  // namespace

std::string AlarmSection(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s\\%d", "Alarms", n);
    return name;
}

namespace {

// The list a save is about to commit, in the section "PendingAlarms": each
// record as one text value "1", "2", ... and, written last, their number as
// `Count`. A staged list with its count is complete; without it, it is a save
// that never got as far as its commit. One value per record keeps the staging
// to a small part of the save's writes.
const char kStaging[] = "PendingAlarms";
const char kStagedCount[] = "Count";

// Brings the list in the alarm sections to `values`. Interrupted, it leaves
// some sections old, some new and one perhaps mixed, which only the staged
// list can put right: the staging stays until this has succeeded, and a
// rerun from any such state ends in the same sections.
bool Commit(SettingsStore& store, const std::vector<AlarmValues>& values) {
    const int count = static_cast<int>(values.size());
    // Sections up to the first without Flags hold alarm values only, which
    // the in-place write replaces; one beyond may hold leftovers of any kind
    // and is cleared first.
    bool inList = true;
    for (int k = 1; k <= count; ++k) {
        const std::string section = AlarmSection(k);
        inList = inList && HoldsAlarm(store, k);
        if (!inList && !store.DeleteSection(section))
            return false;
        if (!values[k - 1].Write(store, section, inList))
            return false;
    }
    // Filling a gap can join stale sections above it to the list: they go
    // with the former list's tail, from the top, down to the section that
    // now ends the list.
    const int top = CountStoredAlarms(store, count);
    for (int k = top + 1; k > count; --k) {
        if (!store.DeleteSection(AlarmSection(k)))
            return false;
    }
    return true;
}

// Rolls a complete staged list forward and drops an incomplete one.
bool FinishInterruptedSave(SettingsStore& store) {
    if (const std::optional<uint32_t> count = store.ReadInt(kStaging, kStagedCount)) {
        std::vector<AlarmValues> staged;
        for (size_t j = 1; j <= *count; ++j) {
            const std::optional<std::string> text = store.ReadString(kStaging, std::to_string(j));
            std::optional<AlarmValues> values = text ? AlarmValues::Parse(*text) : std::nullopt;
            if (!values || !values->HasFlags())
                break;
            staged.push_back(std::move(*values));
        }
        // A staged record that is missing or unreadable was damaged outside
        // any save of ours; rolling that list forward would cut the stored one
        // short or mix it, so it is dropped like an incomplete one.
        if (staged.size() == *count && !Commit(store, staged))
            return false;
    }
    return store.DeleteSection(kStaging);
}

}  // namespace

// Write-ahead: the new list is staged complete before the alarm sections are
// touched, so any interruption leaves either an incomplete staging beside the
// untouched old list, or a complete one that the next load or save commits.
// Either way the list that is read back is exactly the old or the new one.
bool SaveAlarms(SettingsStore& store, const AlarmList& list, int32_t utcOffsetMinutes) {
    // A committed but unfinished earlier save must land before its staging
    // is reused, or the alarm sections could stay mixed.
    if (!FinishInterruptedSave(store))
        return false;
    std::vector<AlarmValues> values;
    values.reserve(list.size());
    for (const AlarmRecord& alarm : list)
        values.push_back(AlarmValues::FromRecord(alarm, utcOffsetMinutes));
    for (size_t j = 1; j <= values.size(); ++j) {
        if (!store.WriteString(kStaging, std::to_string(j), values[j - 1].Serialize()))
            return false;
    }
    if (!store.WriteInt(kStaging, kStagedCount, static_cast<uint32_t>(values.size())))
        return false;
    return Commit(store, values) && store.DeleteSection(kStaging);
}

namespace {

// FNV-1a over the text: the same stored record gives the same identity in
// every clock that reads it, so clocks agree on an alarm stored without one
// until a save stores it.
uint64_t HashOf(const std::string& text) {
    uint64_t hash = 14695981039346656037ULL;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace

AlarmList ReadStoredAlarms(SettingsStore& store, int32_t utcOffsetMinutes) {
    // Should this fail, the staging stays for the next load to try again.
    FinishInterruptedSave(store);
    AlarmList list;
    int n = 1;
    for (;; ++n) {
        const AlarmValues values = AlarmValues::Read(store, AlarmSection(n));
        if (!values.HasFlags())
            break;
        AlarmRecord alarm = values.ToRecord(utcOffsetMinutes);
        // A record without an identity, or with one an earlier record has
        // (a copied key), gets one derived from its key number and values.
        if (alarm.Id == 0 || list.IndexOfId(alarm.Id) != list.size()) {
            alarm.Id = HashOf(std::to_string(n) + '#' + values.Serialize());
            while (alarm.Id == 0 || list.IndexOfId(alarm.Id) != list.size())
                alarm.Id = HashOf(std::to_string(alarm.Id));
        }
        list.PushBack(std::move(alarm));
    }
    // Whatever a former, longer list left in the section that ends the list goes.
    store.DeleteSection(AlarmSection(n));
    return list;
}

AlarmList LoadAlarms(SettingsStore& store, const std::function<uint64_t()>& clockNow, int32_t utcOffsetMinutes) {
    AlarmList list;
    // Records identical in every value are all kept: a person may set the
    // same reminder twice on purpose.
    for (AlarmRecord& alarm : ReadStoredAlarms(store, utcOffsetMinutes)) {
        alarm.DueTime = NextDueTime(alarm, clockNow());
        list.InsertByDueTime(std::move(alarm));
    }
    return list;
}
