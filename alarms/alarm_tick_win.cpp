#include "alarms/alarm_tick_win.h"

#include <utility>

#include "alarms/alarm_schedule.h"
#include "alarms/alarm_snooze.h"
#include "alarms/missed_notice_win.h"
#include "alarms/show_alarm_dlg_win.h"
#include "core/clock_time.h"

namespace {

// A count that runs on through sleep and ignores changes of the system time,
// in 100-ns units.
uint64_t SteadyNow() {
    return ::GetTickCount64() * 10000ULL;
}

}  // namespace

uint64_t UtcNow() {
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void AlarmTick::Start(ClockAlarms& alarms, SettingsStore& store, uint64_t shownNow, uint64_t firstTickFrom) {
    started_ = true;
    store_ = &store;
    if (const std::optional<uint64_t> lastUtc = StoredLastTick(store)) {
        // Into the shown time with today's offset; a daylight-time change in
        // between shifts the border of the stretch by its hour.
        const uint64_t lastSeen = *lastUtc + static_cast<uint64_t>(ShownOffset(shownNow, UtcNow()));
        missed_ = alarms.TakeMissedSince(lastSeen, firstTickFrom);
    }
    alarms.Load();
    rearm_ = true;
}

void AlarmTick::Tick(ClockAlarms& alarms, uint64_t prev, uint64_t now) {
    const uint64_t utcNow = UtcNow();
    const TickWatch::Stretch stretch = watch_.Observe(now, utcNow, SteadyNow());
    if (stretch.slept) {
        std::vector<MissedAlarm> missed = alarms.CheckAfterSleep(prev, now);
        missed_.insert(missed_.end(), missed.begin(), missed.end());
        rearm_ = true;
    } else {
        alarms.Check(prev, now);
    }
    if (store_ && utcNow / clock_time::kMinute != storedMinute_) {
        storedMinute_ = utcNow / clock_time::kMinute;
        StoreLastTick(*store_, utcNow);
    }
    if (!TheSnoozedAlarms().empty())
        CShowAlarmDlg::RingSnoozed();
    if (rearm_ || stretch.jumped || alarms.Version() != armedVersion_ || watch_.Offset() != armedOffset_)
        ArmTimer(alarms, now);
    if (!missed_.empty()) {
        // Taken first: the notice's message loop runs further ticks.
        const std::vector<MissedAlarm> missed = std::move(missed_);
        missed_.clear();
        ShowMissedNotice(missed);
    }
}

void AlarmTick::ArmTimer(ClockAlarms& alarms, uint64_t now) {
    rearm_ = false;
    armedVersion_ = alarms.Version();
    armedOffset_ = watch_.Offset();
    const std::optional<uint64_t> due = NextWakeDueTime(alarms.List(), now);
    timer_.Arm(due ? std::optional<uint64_t>(*due - static_cast<uint64_t>(armedOffset_)) : std::nullopt);
}

void AlarmTick::OnPowerBroadcast(WPARAM event, SettingsStore& store) {
    switch (event) {
        case PBT_APMSUSPEND:
            // Hibernation may end in a power cut: the instant is kept now.
            if (started_)
                StoreLastTick(store, UtcNow());
            break;
        case PBT_APMRESUMEAUTOMATIC:
        case PBT_APMRESUMESUSPEND:
            watch_.NoteResume();
            rearm_ = true;
            break;
        default:
            break;
    }
}

void AlarmTick::Stop(SettingsStore& store) const {
    if (started_)
        StoreLastTick(store, UtcNow());
}
