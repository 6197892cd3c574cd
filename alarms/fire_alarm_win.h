#pragma once
// Carries out an alarm: runs its program, opens its notice window or plays its
// sound (returning when that has ended), and shuts the computer down.

#include "alarms/alarm_actions.h"
#include "alarms/alarm_record.h"

// The platform's way of doing each action.
class SystemAlarmEffects : public AlarmEffects {
public:
    explicit SystemAlarmEffects(bool isNT) : isNT_(isNT) {}
    void RunProgram(const std::string& commandLine) override;
    void OpenNotice(const AlarmRecord& alarm) override;
    void PlaySoundAndWait(const AlarmRecord& alarm) override;
    void ShutDown() override;

private:
    bool isNT_;
};

void FireAlarm(const AlarmRecord& alarm, bool isNT);
