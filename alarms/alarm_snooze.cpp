#include "alarms/alarm_snooze.h"

void SnoozedAlarms::Add(const AlarmRecord& alarm, uint64_t dueMs) {
    AlarmRecord again = alarm;
    again.Execute.clear();
    again.Flags &= ~ALARM_SHUTDOWN;
    again.Flags |= ALARM_NOTICE;
    waiting_.push_back({again, dueMs});
}

std::vector<AlarmRecord> SnoozedAlarms::TakeDue(uint64_t nowMs) {
    std::vector<AlarmRecord> due;
    std::vector<Waiting> later;
    for (Waiting& w : waiting_) {
        if (w.dueMs <= nowMs)
            due.push_back(std::move(w.alarm));
        else
            later.push_back(std::move(w));
    }
    waiting_ = std::move(later);
    return due;
}

SnoozedAlarms& TheSnoozedAlarms() {
    static SnoozedAlarms snoozed;
    return snoozed;
}
