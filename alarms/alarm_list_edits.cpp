#include "alarms/alarm_list_edits.h"

#include <utility>

EditLanding ApplyEdit(AlarmList& list, uint64_t id, AlarmRecord edited) {
    constexpr uint32_t kEditedBits = ALARM_NOTICE | ALARM_SHUTDOWN;
    const size_t index = list.IndexOfId(id);
    if (index == list.size()) {
        // Dropping the user's confirmed edit would lose it without a word.
        edited.Id = 0;
        edited.StoredKey = 0;
        list.PushFront(std::move(edited));
        return EditLanding::ReAdded;
    }
    AlarmRecord& current = list[index];
    edited.Flags = (current.Flags & ~kEditedBits) | (edited.Flags & kEditedBits);
    edited.Id = current.Id;
    edited.StoredKey = current.StoredKey;
    current = std::move(edited);
    return EditLanding::SameAlarm;
}
