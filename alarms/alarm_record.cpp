#include "alarms/alarm_record.h"

#include <algorithm>
#include <chrono>
#include <random>

bool AlarmRecord::operator==(const AlarmRecord& other) const {
    return DueTime == other.DueTime && Name == other.Name && Description == other.Description &&
           Execute == other.Execute && Sound == other.Sound && Flags == other.Flags &&
           Reoccurence == other.Reoccurence && Minutes == other.Minutes && SndLooping == other.SndLooping &&
           SndSecs == other.SndSecs;
}

namespace {

// Identities must differ between alarms created by different clocks at the
// same moment, so they are drawn at random rather than counted.
uint64_t RandomId() {
    // One user-interface thread creates alarms: no lock.
    static std::mt19937_64 engine = [] {
        std::random_device device;
        const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seed{device(), device(), static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
        return std::mt19937_64(seed);
    }();
    return engine();
}

}  // namespace

void AlarmList::GiveIdentity(AlarmRecord& record) const {
    while (record.Id == 0 || IndexOfId(record.Id) != records_.size())
        record.Id = RandomId();
}

void AlarmList::InsertByDueTime(AlarmRecord record) {
    GiveIdentity(record);
    // A linear walk rather than a binary search: the list need not be sorted
    // (a new alarm sits at the front until the next load).
    auto at = std::find_if(records_.begin(), records_.end(),
                           [&](const AlarmRecord& r) { return r.DueTime > record.DueTime; });
    records_.insert(at, std::move(record));
}

void AlarmList::PushFront(AlarmRecord record) {
    GiveIdentity(record);
    records_.insert(records_.begin(), std::move(record));
}

bool AlarmList::Erase(size_t index) {
    if (index >= records_.size())
        return false;
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void AlarmList::PushBack(AlarmRecord record) {
    GiveIdentity(record);
    records_.push_back(std::move(record));
}

size_t AlarmList::IndexOfId(uint64_t id) const {
    for (size_t i = 0; i < records_.size(); ++i) {
        if (id != 0 && records_[i].Id == id)
            return i;
    }
    return records_.size();
}
