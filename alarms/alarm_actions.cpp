#include "alarms/alarm_actions.h"

void RunAlarmActions(const AlarmRecord& alarm, AlarmEffects& effects) {
    if (!alarm.Execute.empty())
        effects.RunProgram(alarm.Execute);
    if (alarm.Flags & ALARM_NOTICE)
        effects.OpenNotice(alarm);
    else if (!alarm.Sound.empty())
        effects.PlaySoundAndWait(alarm);
    if (alarm.Flags & ALARM_SHUTDOWN)
        effects.ShutDown();
}

bool ActionsMayHoldUp(const AlarmRecord& alarm) {
    const bool playsDirectly = !(alarm.Flags & ALARM_NOTICE) && !alarm.Sound.empty();
    return playsDirectly || (alarm.Flags & ALARM_SHUTDOWN) != 0;
}
