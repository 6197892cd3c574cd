#pragma once
// What a due (or tested) alarm does, in its fixed order: run the program, then
// the notice window or the sound, then the shutdown.

#include <string>

#include "alarms/alarm_record.h"

class AlarmEffects {
public:
    virtual ~AlarmEffects() = default;
    virtual void RunProgram(const std::string& commandLine) = 0;
    // The notice window plays the alarm's sound itself.
    virtual void OpenNotice(const AlarmRecord& alarm) = 0;
    // Returns when the sound has ended.
    virtual void PlaySoundAndWait(const AlarmRecord& alarm) = 0;
    virtual void ShutDown() = 0;
};

void RunAlarmActions(const AlarmRecord& alarm, AlarmEffects& effects);

// Whether the actions may hold the thread up (a sound played to its end) or
// end the session (a shutdown) before they return.
bool ActionsMayHoldUp(const AlarmRecord& alarm);
