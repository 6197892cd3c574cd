#include "alarms/alarm_list_edits.h"

#include <utility>

uint64_t AddAlarm(AlarmList& list, AlarmRecord record) {
    record.Id = 0;
    list.PushFront(std::move(record));
    return list[0].Id;
}

EditLanding ApplyEdit(AlarmList& list, uint64_t id, AlarmRecord edited) {
    constexpr uint32_t kEditedBits = ALARM_NOTICE | ALARM_SHUTDOWN;
    const size_t index = list.IndexOfId(id);
    if (index == list.size()) {
        // Dropping the user's confirmed edit would lose it without a word.
        AddAlarm(list, std::move(edited));
        return EditLanding::ReAdded;
    }
    AlarmRecord& current = list[index];
    edited.Flags = (current.Flags & ~kEditedBits) | (edited.Flags & kEditedBits);
    edited.Id = current.Id;
    current = std::move(edited);
    return EditLanding::SameAlarm;
}

bool DeleteAlarm(AlarmList& list, uint64_t id) {
    return list.Erase(list.IndexOfId(id));
}

void SetAlarmsEnabled(AlarmList& list, const std::map<uint64_t, bool>& enabled) {
    for (const auto& [id, on] : enabled) {
        const size_t index = list.IndexOfId(id);
        if (index == list.size())
            continue;
        if (on)
            list[index].Flags |= ALARM_ENABLED;
        else
            list[index].Flags &= ~ALARM_ENABLED;
    }
}

void DisableRungAlarms(AlarmList& list, const std::vector<uint64_t>& ids) {
    for (uint64_t id : ids) {
        const size_t index = list.IndexOfId(id);
        if (index != list.size())
            list[index].Flags &= ~ALARM_ENABLED;
    }
}
