#include "alarms/clock_alarms_win.h"

#include <windows.h>

#include "alarms/alarm_store_lock_win.h"
#include "alarms/alarm_tick_win.h"
#include "alarms/fire_alarm_win.h"

int32_t SystemUtcOffsetMinutes() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = ::GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias;
    if (state == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    else if (state == TIME_ZONE_ID_STANDARD)
        bias += zone.StandardBias;
    return -bias;
}

ClockAlarms::ClockAlarms(SettingsStore& store, std::function<uint64_t()> clockNow, bool isNT)
    : ClockAlarms(store,
                  std::move(clockNow),
                  std::make_unique<SystemAlarmEffects>(isNT),
                  &SystemUtcOffsetMinutes,
                  MakeSessionAlarmStoreLock()) {
    SetUtcClock(&UtcNow);
}
