#pragma once
// The clock window's alarms: the list, its storage and the tick's alarm step.
// The window calls Load() at creation, on a time change and when another
// clock saved, Check() on every tick at which this clock rings the alarms, and
// Clear() when it is destroyed. The list in memory is only ever a copy of the
// stored one: every change is made to the stored list (Change).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "alarms/alarm_actions.h"
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
};
