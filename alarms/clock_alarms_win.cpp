#include "alarms/clock_alarms_win.h"

#include <windows.h>

#include "alarms/alarm_schedule.h"
#include "alarms/alarm_storage.h"
#include "alarms/fire_alarm_win.h"

namespace {

class TickHooks : public AlarmCheckHooks {
public:
    TickHooks(ClockAlarms& alarms, AlarmEffects& effects) : alarms_(alarms), effects_(effects) {}
    void Fire(const AlarmRecord& alarm) override { RunAlarmActions(alarm, effects_); }
    void Save() override { alarms_.Save(); }

private:
    ClockAlarms& alarms_;
    AlarmEffects& effects_;
};

}  // namespace

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
    : store_(store), clockNow_(std::move(clockNow)), isNT_(isNT) {}

int32_t ClockAlarms::UtcOffsetMinutes() const {
    return utcOffsetForTesting_ ? *utcOffsetForTesting_ : SystemUtcOffsetMinutes();
}

void ClockAlarms::Load() {
    if (checking_) {
        deferredLoad_ = true;
        return;
    }
    list_ = LoadAlarms(store_, clockNow_, UtcOffsetMinutes());
}

void ClockAlarms::Save() {
    SaveAlarms(store_, list_, UtcOffsetMinutes());
}

void ClockAlarms::Clear() {
    list_.Clear();
}

void ClockAlarms::Check(uint64_t prev, uint64_t now) {
    if (checking_) {
        // Widen the waiting stretch rather than drop a tick.
        if (deferredCheck_)
            deferredCheck_->second = now;
        else
            deferredCheck_.emplace(prev, now);
        return;
    }
    SystemAlarmEffects systemEffects(isNT_);
    TickHooks hooks(*this, effectsForTesting_ ? *effectsForTesting_ : systemEffects);
    std::optional<std::pair<uint64_t, uint64_t>> stretch{{prev, now}};
    while (stretch) {
        checking_ = true;
        const bool anyDue = CheckAlarms(list_, stretch->first, stretch->second, hooks);
        checking_ = false;
        const bool reload = anyDue || deferredLoad_;
        deferredLoad_ = false;
        if (reload)
            Load();
        if (anyDue && listChanged_)
            listChanged_();
        stretch = deferredCheck_;
        deferredCheck_.reset();
    }
}
