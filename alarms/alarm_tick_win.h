#pragma once
// The clock window's alarm step around ClockAlarms: tells a sleep from a jump
// of the shown time, lists what was missed while the computer slept or no
// clock ran, rings the snoozed alarms, and keeps the wake timer on the next
// alarm.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "alarms/alarm_catch_up.h"
#include "alarms/clock_alarms.h"
#include "alarms/wake_timer_win.h"
#include "core/settings_store.h"

class AlarmTick {
public:
    // At start-up, instead of the first Load: `shownNow` is the shown time,
    // `firstTickFrom` where the first tick's stretch begins. The alarms that
    // fell due between the last tick any clock saw and `firstTickFrom` are
    // told at the first tick. From then on the store keeps the last tick
    // seen, renewed once a minute, so that a clock started beside this one,
    // or after a crash, does not take alarms this one rang for missed.
    void Start(ClockAlarms& alarms, SettingsStore& store, uint64_t shownNow, uint64_t firstTickFrom);
    // Every tick, with the shown times of the previous tick and of this one.
    void Tick(ClockAlarms& alarms, uint64_t prev, uint64_t now);
    // WM_POWERBROADCAST.
    void OnPowerBroadcast(WPARAM event, SettingsStore& store);
    // At exit: the last tick seen is stored (only after a start).
    void Stop(SettingsStore& store) const;

    const WakeTimer& Timer() const { return timer_; }

private:
    void ArmTimer(ClockAlarms& alarms, uint64_t now);

    TickWatch watch_;
    WakeTimer timer_;
    std::vector<MissedAlarm> missed_;
    SettingsStore* store_ = nullptr;  // set by Start
    uint64_t storedMinute_ = 0;
    bool started_ = false;
    bool rearm_ = true;
    uint64_t armedVersion_ = 0;
    int64_t armedOffset_ = 0;
};

// The current UTC time as a FILETIME count.
uint64_t UtcNow();
