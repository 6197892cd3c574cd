#pragma once
// The clock window's alarms: the list, its storage and the tick's alarm step.
// The window calls Load() at creation, ReloadAsOf() on a time change and when
// another clock saved, Check() on every tick at which this clock rings the
// alarms (CheckAfterSleep() after a sleep) and Clear() when it is destroyed. The list in memory is only ever a copy of
// the stored one: every change is made to the stored list (Change).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "alarms/alarm_actions.h"
#include "alarms/alarm_catch_up.h"
#include "alarms/alarm_record.h"
#include "alarms/alarm_store_lock.h"
#include "core/settings_store.h"

class ClockAlarms {
public:
    // `clockNow` gives the clock time the window shows. Due alarms act through
    // the platform's actions; the UTC offset is the system's (Windows only,
    // clock_alarms_win.cpp).
    ClockAlarms(SettingsStore& store, std::function<uint64_t()> clockNow, bool isNT);
    // Due alarms act through `effects`, which must outlive the object;
    // `utcOffsetMinutes` gives local time minus UTC for the stored legacy times.
    ClockAlarms(SettingsStore& store,
                std::function<uint64_t()> clockNow,
                AlarmEffects& effects,
                std::function<int32_t()> utcOffsetMinutes,
                std::unique_ptr<AlarmStoreLock> storeLock = nullptr);

    // Rebuilds the list from the store, moving recurring alarms on.
    void Load();
    // Applies `change` (alarm_list_edits.h) to the list as stored now, under
    // the store lock, saves it all or nothing, tells the other clocks and
    // reloads. False when the save failed: the store keeps the former list and
    // the list in memory, identities included, stays as it was.
    bool Change(const std::function<void(AlarmList&)>& change);
    // The alarm step of the tick for (prev, now]: fires what is due, stores
    // disabled one-shot alarms, then reloads and tells the listener.
    void Check(uint64_t prev, uint64_t now);
    void Clear();
    // The system's time was changed: reloads as of `prev`, the shown time of
    // the last tick, so that an alarm stored meanwhile is read and the next
    // Check rings what the change passed within the catch-up window; a
    // recurring alarm that rang before a change back does not ring again.
    // (A jump of the shown zone needs no call: every Check moves on what a
    // jump left behind.)
    void ReloadAsOf(uint64_t prev);
    // The alarm step of a tick after a stretch in which the clock did not run
    // (sleep, hibernation): alarms due in (prev, now - catch-up] do nothing;
    // they are returned for one notice, one-shot ones stored disabled (by
    // identity, as the list is stored now), recurring ones moved on. Then as
    // Check.
    std::vector<MissedAlarm> CheckAfterSleep(uint64_t prev, uint64_t now);
    // At start-up, before the first Load: the alarms that fell due in
    // (lastSeen, until] while no clock ran, found from the stored list as it
    // was at `lastSeen`; one-shot ones are stored disabled by identity.
    std::vector<MissedAlarm> TakeMissedSince(uint64_t lastSeen, uint64_t until);
    // Gives the UTC time (a FILETIME count) that every successful save stores
    // as the last moment a clock was seen running.
    void SetUtcClock(std::function<uint64_t()> utcNow) { utcNow_ = std::move(utcNow); }
    // Changes whenever the list may have changed (load, change, a tick that
    // moved an alarm on), so that what follows the next due time can tell.
    uint64_t Version() const { return version_; }
    const AlarmList& List() const { return list_; }
    // Called after a tick reloaded the list (the open alarms dialog refills).
    void SetListChangedCallback(std::function<void()> callback) { listChanged_ = std::move(callback); }
    // Called after every save this object made, so the other clocks reload.
    void SetSavedCallback(std::function<void()> callback) { saved_ = std::move(callback); }

private:
    ClockAlarms(SettingsStore& store,
                std::function<uint64_t()> clockNow,
                std::unique_ptr<AlarmEffects> ownedEffects,
                std::function<int32_t()> utcOffsetMinutes,
                std::unique_ptr<AlarmStoreLock> storeLock);

    bool SaveChange(const std::function<void(AlarmList&)>& change);

    SettingsStore& store_;
    std::function<uint64_t()> clockNow_;
    std::unique_ptr<AlarmEffects> ownedEffects_;
    AlarmEffects& effects_;
    std::function<int32_t()> utcOffsetMinutes_;
    // Null where one process has the store to itself (the tests).
    std::unique_ptr<AlarmStoreLock> storeLock_;
    AlarmList list_;
    std::function<void()> listChanged_;
    std::function<void()> saved_;
    // A tick or time change that arrives while alarms are firing (an action's
    // message box runs a message loop) waits for the walk to finish.
    bool checking_ = false;
    std::optional<std::pair<uint64_t, uint64_t>> deferredCheck_;
    bool deferredLoad_ = false;
    // While set, loads move recurring alarms on from this time, not from now.
    std::optional<uint64_t> loadAsOf_;
    std::function<uint64_t()> utcNow_;
    uint64_t version_ = 0;
};
