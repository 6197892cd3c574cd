#include "alarms/clock_alarms.h"

#include <map>

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
    TickHooks(ClockAlarms& alarms, AlarmEffects& effects) : alarms_(alarms), effects_(effects) {}
    void Fire(const AlarmRecord& alarm) override {
        if (ActionsMayHoldUp(alarm))
            Flush();
        RunAlarmActions(alarm, effects_);
    }
    void Save() override { savePending_ = true; }
    void Flush() {
        if (!savePending_)
            return;
        savePending_ = false;
        alarms_.Save();
    }

private:
    ClockAlarms& alarms_;
    AlarmEffects& effects_;
    bool savePending_ = false;
};

}  // namespace

ClockAlarms::ClockAlarms(SettingsStore& store,
                         std::function<uint64_t()> clockNow,
                         AlarmEffects& effects,
                         std::function<int32_t()> utcOffsetMinutes)
    : store_(store),
      clockNow_(std::move(clockNow)),
      effects_(effects),
      utcOffsetMinutes_(std::move(utcOffsetMinutes)) {}

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
    AlarmList loaded;
    {
        AlarmStoreLockGuard guard(storeLock_.get());
        const std::function<uint64_t()> now =
            loadAsOf_ ? std::function<uint64_t()>([asOf = *loadAsOf_] { return asOf; }) : clockNow_;
        loaded = LoadAlarms(store_, now, utcOffsetMinutes_());
    }
    // Each stored alarm keeps the identity it had, found through the key it
    // was last saved to or loaded from, so an edit that was opened before the
    // reload reaches the same alarm.
    std::map<int, uint64_t> idOfKey;
    for (const AlarmRecord& old : list_) {
        if (old.StoredKey > 0)
            idOfKey[old.StoredKey] = old.Id;
    }
    for (AlarmRecord& record : loaded) {
        auto found = idOfKey.find(record.StoredKey);
        if (found != idOfKey.end())
            record.Id = found->second;
    }
    list_ = std::move(loaded);
    ++version_;
}

bool ClockAlarms::Save() {
    AlarmStoreLockGuard guard(storeLock_.get());
    const bool saved = SaveAlarms(store_, list_, utcOffsetMinutes_());
    // After a failed save the keys may hold old records, copies or one mixed
    // record: no key number names an alarm for sure any more.
    int key = 1;
    for (AlarmRecord& record : list_)
        record.StoredKey = saved ? key++ : 0;
    ++version_;
    if (saved && utcNow_)
        StoreLastTick(store_, utcNow_());
    return saved;
}

void ClockAlarms::ReloadAsOf(uint64_t prev) {
    loadAsOf_ = prev;
    Load();
    loadAsOf_.reset();
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
    TickHooks hooks(*this, effects_);
    uint64_t from = prev;
    uint64_t to = now;
    for (;;) {
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
        if ((anyDue || moved) && listChanged_) {
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
