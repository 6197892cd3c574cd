#pragma once
// Alarms snoozed from their notice window. A snooze is kept in memory only,
// never stored as an entry of the list: it cannot outlive the clock, show up
// in the alarms dialog or in another clock, or be left behind by a crash.

#include <cstdint>
#include <vector>

#include "alarms/alarm_record.h"

// How long a snooze lasts: five minutes, in milliseconds.
constexpr uint64_t kSnoozeLength = 5 * 60 * 1000;

class SnoozedAlarms {
public:
    // `dueMs` on a millisecond count that runs on through sleep.
    void Add(const AlarmRecord& alarm, uint64_t dueMs);
    // The snoozed alarms due at `nowMs`, taken out, in the order snoozed.
    // Each rings again with its notice and sound only: its program and its
    // shutdown have already run.
    std::vector<AlarmRecord> TakeDue(uint64_t nowMs);
    bool empty() const { return waiting_.empty(); }

    // The length of the next snoozes; the tests shorten it.
    uint64_t Length() const { return length_; }
    void SetLengthForTesting(uint64_t ms) { length_ = ms; }

private:
    struct Waiting {
        AlarmRecord alarm;
        uint64_t dueMs;
    };
    std::vector<Waiting> waiting_;
    uint64_t length_ = kSnoozeLength;
};

// The process-wide snoozes: the notice windows add, the ringing clock's tick takes.
SnoozedAlarms& TheSnoozedAlarms();
