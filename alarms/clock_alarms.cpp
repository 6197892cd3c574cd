#include "alarms/clock_alarms.h"

#include <set>
#include <vector>

#include "alarms/alarm_list_edits.h"
#include "alarms/alarm_schedule.h"
#include "alarms/alarm_storage.h"

namespace {

// Stores the disabled one-shot alarms once per walk rather than once per
// alarm: a save rewrites the whole list, and a tick at which many alarms fall
// due would otherwise write it as often. An action that may hold the thread up
// or end the session still finds everything before it stored, so a kill then
// rings no alarm twice.
class TickHooks : public AlarmCheckHooks {
public:
    // `list` is the list the walk runs over, not replaced during the walk.
    TickHooks(const AlarmList& list,
              AlarmEffects& effects,
              std::function<bool(const std::function<void(AlarmList&)>&)> store)
        : list_(list), effects_(effects), store_(std::move(store)) {
        for (const AlarmRecord& alarm : list_) {
            if (alarm.Reoccurence == 0 && (alarm.Flags & ALARM_ENABLED))
                enabledOneShots_.insert(alarm.Id);
        }
    }
    void Fire(const AlarmRecord& alarm) override {
        if (ActionsMayHoldUp(alarm))
            Flush();
        RunAlarmActions(alarm, effects_);
    }
    void Save() override { savePending_ = true; }
    // Stores which one-shot alarms the walk disabled so far, by identity.
    // Returns whether it saved.
    bool Flush() {
        if (!savePending_)
            return false;
        savePending_ = false;
        std::vector<uint64_t> rung;
        for (const AlarmRecord& alarm : list_) {
            if (!(alarm.Flags & ALARM_ENABLED) && enabledOneShots_.erase(alarm.Id))
                rung.push_back(alarm.Id);
        }
        return store_([&rung](AlarmList& stored) { DisableRungAlarms(stored, rung); });
    }

private:
    const AlarmList& list_;
    AlarmEffects& effects_;
    std::function<bool(const std::function<void(AlarmList&)>&)> store_;
    std::set<uint64_t> enabledOneShots_;
    bool savePending_ = false;
};

}  // namespace

ClockAlarms::ClockAlarms(SettingsStore& store,
                         std::function<uint64_t()> clockNow,
                         AlarmEffects& effects,
                         std::function<int32_t()> utcOffsetMinutes,
                         std::unique_ptr<AlarmStoreLock> storeLock)
    : store_(store),
      clockNow_(std::move(clockNow)),
      effects_(effects),
      utcOffsetMinutes_(std::move(utcOffsetMinutes)),
      storeLock_(std::move(storeLock)) {}

ClockAlarms::ClockAlarms(SettingsStore& store,
                         std::function<uint64_t()> clockNow,
                         std::unique_ptr<AlarmEffects> ownedEffects,
                         std::function<int32_t()> utcOffsetMinutes,
                         std::unique_ptr<AlarmStoreLock> storeLock)
    : store_(store),
      clockNow_(std::move(clockNow)),
      ownedEffects_(std::move(ownedEffects)),
      effects_(*ownedEffects_),
      utcOffsetMinutes_(std::move(utcOffsetMinutes)),
      storeLock_(std::move(storeLock)) {}

void ClockAlarms::Load() {
    if (checking_) {
        deferredLoad_ = true;
        return;
    }
    {
        AlarmStoreLockGuard guard(storeLock_.get());
        const std::function<uint64_t()> now =
            loadAsOf_ ? std::function<uint64_t()>([asOf = *loadAsOf_] { return asOf; }) : clockNow_;
        list_ = LoadAlarms(store_, now, utcOffsetMinutes_());
    }
    ++version_;
}

void ClockAlarms::ReloadAsOf(uint64_t prev) {
    loadAsOf_ = prev;
    Load();
    loadAsOf_.reset();
}

bool ClockAlarms::SaveChange(const std::function<void(AlarmList&)>& change) {
    bool saved = false;
    {
        // Read, change and save under one hold of the lock, so that no other
        // clock's save falls between the read and the save and is undone.
        AlarmStoreLockGuard guard(storeLock_.get());
        const int32_t offset = utcOffsetMinutes_();
        AlarmList stored = ReadStoredAlarms(store_, offset);
        change(stored);
        saved = SaveAlarms(store_, stored, offset);
        if (saved && utcNow_)
            StoreLastTick(store_, utcNow_());
    }
    if (!saved)
        return false;
    ++version_;
    if (saved_)
        saved_();
    return true;
}

bool ClockAlarms::Change(const std::function<void(AlarmList&)>& change) {
    if (!SaveChange(change))
        return false;
    // Waits for a walk in progress, like any reload.
    Load();
    return true;
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
    uint64_t from = prev;
    uint64_t to = now;
    for (;;) {
        TickHooks hooks(list_, effects_, [this](const auto& change) { return SaveChange(change); });
        checking_ = true;
        bool moved = MoveOnSkippedAlarms(list_, to);
        const bool anyDue = CheckAlarms(list_, from, to, hooks);
        checking_ = false;
        // Before the reload, which would bring the disabled alarms back.
        hooks.Flush();
        const bool reload = anyDue || deferredLoad_;
        deferredLoad_ = false;
        if (reload)
            Load();
        moved = MoveOnPassedAlarms(list_, to) || moved;
        if (moved)
            ++version_;
        if ((reload || moved) && listChanged_) {
            // A copy: the listener may replace or drop its callback (a dialog
            // that closes) while it runs.
            const std::function<void()> listChanged = listChanged_;
            listChanged();
        }
        if (!deferredCheck_)
            return;
        from = deferredCheck_->first;
        to = deferredCheck_->second;
        deferredCheck_.reset();
    }
}
