#pragma once
// The clock window's alarms: the list, its storage and the tick's alarm step.
// The window calls Load() at creation and on a time change, Check() on every
// tick and Clear() when it is destroyed.

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "alarms/alarm_actions.h"
#include "alarms/alarm_record.h"
#include "app/settings_store.h"

class ClockAlarms {
public:
    // `clockNow` gives the clock time the window shows.
    ClockAlarms(SettingsStore& store, std::function<uint64_t()> clockNow, bool isNT);

    // Rebuilds the list from the store, moving recurring alarms on.
    void Load();
    void Save();
    // The alarm step of the tick for (prev, now]: fires what is due, stores
    // disabled one-shot alarms, then reloads and tells the listener.
    void Check(uint64_t prev, uint64_t now);
    void Clear();
    AlarmList& List() { return list_; }
    // Called after a tick reloaded the list (the open alarms dialog refills).
    void SetListChangedCallback(std::function<void()> callback) { listChanged_ = std::move(callback); }

    // Tests: a fixed UTC offset in place of the system's, and effects in place
    // of the real actions (null restores them).
    void SetUtcOffsetForTesting(std::optional<int32_t> minutes) { utcOffsetForTesting_ = minutes; }
    void SetEffectsForTesting(AlarmEffects* effects) { effectsForTesting_ = effects; }

private:
    int32_t UtcOffsetMinutes() const;

    SettingsStore& store_;
    std::function<uint64_t()> clockNow_;
    bool isNT_;
    AlarmList list_;
    std::function<void()> listChanged_;
    std::optional<int32_t> utcOffsetForTesting_;
    AlarmEffects* effectsForTesting_ = nullptr;
    // A tick or time change that arrives while alarms are firing (an action's
    // message box runs a message loop) waits for the walk to finish.
    bool checking_ = false;
    std::optional<std::pair<uint64_t, uint64_t>> deferredCheck_;
    bool deferredLoad_ = false;
};

// The system's local time minus UTC, daylight saving included.
int32_t SystemUtcOffsetMinutes();
