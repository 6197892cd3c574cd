#pragma once
// One alarm and the clock window's list of them, kept in order of due time.
// Times are clock times (app/clock_time.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t ALARM_ENABLED = 1;
constexpr uint32_t ALARM_NOTICE = 2;
constexpr uint32_t ALARM_SHUTDOWN = 8;
// Set by no dialog; stored data may carry it. A due alarm with it runs no actions.
constexpr uint32_t ALARM_SILENT = 0x10;

constexpr uint32_t REPEAT_DAILY = 0x1;
constexpr uint32_t REPEAT_WEEKLY = 0x2;
constexpr uint32_t REPEAT_MONTHLY = 0x4;
constexpr uint32_t REPEAT_YEARLY = 0x8;
constexpr uint32_t REPEAT_MINUTES = 0x10;
constexpr uint32_t REPEAT_MONDAY = 0x100;
constexpr uint32_t REPEAT_TUESDAY = 0x200;
constexpr uint32_t REPEAT_WEDNESDAY = 0x400;
constexpr uint32_t REPEAT_THURSDAY = 0x800;
constexpr uint32_t REPEAT_FRIDAY = 0x1000;
constexpr uint32_t REPEAT_SATURDAY = 0x2000;
constexpr uint32_t REPEAT_SUNDAY = 0x4000;

// The day bit of a weekday counted from Sunday = 0, as the platform's calendar counts.
constexpr uint32_t WeekdayBit(int dayOfWeek) {
    return 1u << (((dayOfWeek + 6) % 7) + 8);
}

struct AlarmRecord {
    uint64_t DueTime = 0;
    std::string Name;
    std::string Description;  // kept only while ALARM_NOTICE is set
    std::string Execute;
    std::string Sound;
    uint32_t Flags = ALARM_ENABLED | ALARM_NOTICE;
    uint32_t Reoccurence = 0;
    int32_t Minutes = 0;
    uint32_t SndLooping = 0;
    uint32_t SndSecs = 0;
    // Which alarm this is, stored as the section's `Id`: unique within the
    // list, given when the alarm is created (or, for a record stored without
    // one, when it is first read) and kept through every save, load and edit,
    // so that an edit, a row or a tick names the same alarm in every clock.
    // 0 until a list takes the record.
    uint64_t Id = 0;

    // Compares the alarm's values; identities are compared on their own.
    bool operator==(const AlarmRecord& other) const;
    bool operator!=(const AlarmRecord& other) const { return !(*this == other); }
};

// The records in list order; a record's position is its row in the alarms
// dialog and, at the next save, the number of its registry key.
class AlarmList {
public:
    using iterator = std::vector<AlarmRecord>::iterator;
    using const_iterator = std::vector<AlarmRecord>::const_iterator;

    // Every record a list takes gets a new identity unless it has one that
    // no other record of the list has.

    // After every record due earlier or at the same time, so records due
    // together keep the order in which they were inserted.
    void InsertByDueTime(AlarmRecord record);
    // A new alarm goes first until the next load puts it in its place.
    void PushFront(AlarmRecord record);
    void PushBack(AlarmRecord record);
    // False when there is no record at that position.
    bool Erase(size_t index);
    void Clear() { records_.clear(); }
    // The position of the record with this identity, or size() when none has it.
    size_t IndexOfId(uint64_t id) const;

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    AlarmRecord& operator[](size_t index) { return records_[index]; }
    const AlarmRecord& operator[](size_t index) const { return records_[index]; }
    iterator begin() { return records_.begin(); }
    iterator end() { return records_.end(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

private:
    void GiveIdentity(AlarmRecord& record) const;

    std::vector<AlarmRecord> records_;
};
