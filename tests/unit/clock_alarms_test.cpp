#include "alarms/clock_alarms.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "alarm_test_util.h"
#include "alarms/alarm_list_edits.h"
#include "alarms/alarm_storage.h"
#include "interrupted_store.h"

namespace {

class RecordingEffects : public AlarmEffects {
public:
    void RunProgram(const std::string& commandLine) override { done.push_back("run " + commandLine); }
    void OpenNotice(const AlarmRecord& alarm) override {
        done.push_back("notice " + alarm.Name);
        if (onNotice)
            onNotice();
    }
    void PlaySoundAndWait(const AlarmRecord& alarm) override {
        done.push_back("play " + alarm.Name);
        if (onPlay)
            onPlay();
    }
    void ShutDown() override { done.push_back("shutdown"); }
    std::vector<std::string> done;
    std::function<void()> onNotice;
    std::function<void()> onPlay;
};

uint64_t Today(int hour, int minute) {
    return At(2026, 4, 13, hour, minute);
}

AlarmRecord Stored(const char* name, uint64_t due, uint32_t reoccurence) {
    AlarmRecord a;
    a.Name = name;
    a.DueTime = due;
    a.Reoccurence = reoccurence;
    return a;
}

class ClockAlarmsTest : public ::testing::Test {
protected:
    void StoreAndLoad(std::initializer_list<AlarmRecord> records) {
        AlarmList list;
        for (const AlarmRecord& record : records)
            list.PushBack(record);
        ASSERT_TRUE(SaveAlarms(store_, list, 0));
        alarms_.Load();
        ASSERT_EQ(alarms_.List().size(), records.size());
    }

    MemoryStore store_;
    uint64_t now_ = Today(12, 0);
    RecordingEffects effects_;
    ClockAlarms alarms_{store_, [this] { return now_; }, effects_, [] { return 0; }};
};

}  // namespace

TEST_F(ClockAlarmsTest, TickFiresDisablesOneShotsReloadsAndTells) {
    int changes = 0;
    alarms_.SetListChangedCallback([&] { ++changes; });
    StoreAndLoad({Stored("once", Today(12, 1), 0), Stored("daily", Today(12, 1), REPEAT_DAILY),
                  Stored("later", Today(13, 0), 0)});

    now_ = Today(12, 1);
    alarms_.Check(Today(12, 0), now_);
    EXPECT_EQ(effects_.done, (std::vector<std::string>{"notice once", "notice daily"}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(store_.ReadInt("Alarms\\1", "Flags"), static_cast<uint32_t>(ALARM_NOTICE)) << "stored disabled";
    ASSERT_EQ(alarms_.List().size(), 3u);
    EXPECT_EQ(alarms_.List()[0].Name, "once");
    EXPECT_EQ(alarms_.List()[1].Name, "later");
    EXPECT_EQ(alarms_.List()[2].Name, "daily");
    EXPECT_EQ(alarms_.List()[2].DueTime, Today(12, 1) + clock_time::kDay) << "moved on by the reload";

    effects_.done.clear();
    alarms_.Check(now_, Today(12, 2));
    EXPECT_TRUE(effects_.done.empty());
    EXPECT_EQ(changes, 1);
    alarms_.Clear();
    EXPECT_TRUE(alarms_.List().empty());
}

TEST_F(ClockAlarmsTest, ATickDuringTheActionsWaitsForTheWalk) {
    StoreAndLoad({Stored("first", Today(12, 1), REPEAT_DAILY), Stored("second", Today(12, 1), REPEAT_DAILY),
                  Stored("next tick", Today(12, 2), 0)});
    // The first action runs a message loop in which the next tick and a time
    // change arrive. The callback must stay alive while it runs: it is not
    // reset from inside itself.
    bool ticked = false;
    effects_.onNotice = [&] {
        if (ticked)
            return;
        ticked = true;
        now_ = Today(12, 2);
        alarms_.Check(Today(12, 1), now_);
        alarms_.Load();
    };
    alarms_.Check(Today(12, 0), Today(12, 1));
    EXPECT_EQ(effects_.done, (std::vector<std::string>{"notice first", "notice second", "notice next tick"}));
}

TEST_F(ClockAlarmsTest, TheListenerMayDropItsCallbackWhileItRuns) {
    int changes = 0;
    alarms_.SetListChangedCallback([&, payload = std::string(64, 'x')] {
        alarms_.SetListChangedCallback(nullptr);
        changes += static_cast<int>(payload.size());
    });
    StoreAndLoad({Stored("once", Today(12, 1), 0)});
    alarms_.Check(Today(12, 0), Today(12, 1));
    EXPECT_EQ(changes, 64);
}

TEST_F(ClockAlarmsTest, EachAlarmKeepsItsIdentityThroughTicksSavesAndAFailedSave) {
    StoreAndLoad({Stored("daily", Today(12, 0) + 5 * clock_time::kSecond, REPEAT_DAILY),
                  Stored("once", Today(11, 0), 0), Stored("later", Today(13, 0), 0)});
    auto idOf = [this](const std::string& name) {
        for (const AlarmRecord& a : alarms_.List()) {
            if (a.Name == name)
                return a.Id;
        }
        return uint64_t{0};
    };
    const uint64_t daily = idOf("daily"), once = idOf("once"), later = idOf("later");
    EXPECT_NE(daily, 0u);
    EXPECT_NE(daily, once);
    EXPECT_NE(once, later);

    // "daily" falls due and moves to tomorrow, behind "later": positions change.
    const uint64_t prev = now_;
    now_ += 10 * clock_time::kSecond;
    alarms_.Check(prev, now_);
    ASSERT_EQ(alarms_.List().size(), 3u);
    EXPECT_EQ(alarms_.List()[2].Name, "daily");
    EXPECT_EQ(idOf("daily"), daily);
    EXPECT_EQ(idOf("once"), once);
    EXPECT_EQ(idOf("later"), later);

    // A new alarm first in the store: everyone keeps theirs, the new one gets its own.
    uint64_t added = 0;
    EXPECT_TRUE(
        alarms_.Change([&](AlarmList& stored) { added = AddAlarm(stored, Stored("added", Today(12, 30), 0)); }));
    EXPECT_EQ(idOf("added"), added);
    EXPECT_EQ(idOf("daily"), daily);

    // A failed save changes nothing, and an edit confirmed afterwards still
    // reaches its alarm rather than coming back as a copy of it.
    store_.FailAfter(0);
    EXPECT_FALSE(alarms_.Change([&](AlarmList& stored) { DeleteAlarm(stored, once); }));
    store_.FailAfter(-1);
    alarms_.Load();
    EXPECT_EQ(idOf("once"), once);
    EXPECT_TRUE(alarms_.Change([&](AlarmList& stored) {
        EXPECT_EQ(ApplyEdit(stored, once, Stored("once, edited", Today(14, 0), 0)), EditLanding::SameAlarm);
    }));
    EXPECT_EQ(alarms_.List().size(), 4u);
    EXPECT_EQ(idOf("once, edited"), once);
}

namespace {

// Clocks over one store; each applies its changes to the list as stored now.
// The same changes made by one clock alone give the reference store.
enum class Op { Add, Edit, Delete, Untick, Tick, Ring, Reload };

struct Step {
    int clock;  // 0 or 1; the single reference clock ignores it
    Op op;
    const char* alarm;  // the name an alarm was added with
};

class SharedClocks {
public:
    explicit SharedClocks(int count) {
        for (int i = 0; i < count; ++i)
            clocks_.push_back(std::make_unique<ClockAlarms>(
                store_, [this] { return now_; }, effects_, [] { return 0; }));
        for (auto& clock : clocks_)
            clock->Load();
    }

    // Applies the step; the alarm is named by the identity the clock's own
    // list (perhaps not reloaded since) gives it, as a dialog row would.
    void Apply(const Step& step) {
        ClockAlarms& clock = *clocks_[static_cast<size_t>(step.clock) % clocks_.size()];
        const uint64_t id = IdIn(clock.List(), step.alarm);
        switch (step.op) {
            case Op::Add: {
                AlarmRecord a = Stored(step.alarm, Today(13, 0) + 60 * clock_time::kSecond * ++added_, 0);
                clock.Change([&](AlarmList& stored) { ids_[step.alarm] = AddAlarm(stored, a); });
                break;
            }
            case Op::Edit: {
                const AlarmRecord edited = Stored((std::string(step.alarm) + "+").c_str(), Today(15, 0), REPEAT_DAILY);
                const std::string name = step.alarm;
                clock.Change([&](AlarmList& stored) {
                    if (ApplyEdit(stored, id, edited) == EditLanding::ReAdded)
                        ids_[name + "+"] = stored[0].Id;
                    else
                        ids_[name + "+"] = id;
                });
                break;
            }
            case Op::Delete:
                clock.Change([&](AlarmList& stored) { DeleteAlarm(stored, id); });
                break;
            case Op::Untick:
            case Op::Tick:
                clock.Change([&](AlarmList& stored) { SetAlarmsEnabled(stored, {{id, step.op == Op::Tick}}); });
                break;
            case Op::Ring: {
                // The one-shot falls due in this clock's tick.
                const size_t index = clock.List().IndexOfId(id);
                if (index == clock.List().size())
                    break;
                const uint64_t due = clock.List()[index].DueTime;
                now_ = due;
                clock.Check(due - clock_time::kSecond, due);
                break;
            }
            case Op::Reload:
                clock.Load();
                break;
        }
    }

    // The stored list with each identity replaced by the name its alarm was added as.
    std::vector<std::pair<std::string, AlarmRecord>> StoredList() {
        std::vector<std::pair<std::string, AlarmRecord>> result;
        for (AlarmRecord record : ReadStoredAlarms(store_, 0)) {
            std::string name = "?";
            for (const auto& [n, id] : ids_) {
                if (id == record.Id)
                    name = n;
            }
            record.Id = 0;
            result.emplace_back(name, record);
        }
        return result;
    }

    std::vector<std::string> rung() const { return effects_.done; }

private:
    uint64_t IdIn(const AlarmList& list, const std::string& name) const {
        for (const AlarmRecord& a : list) {
            if (a.Name == name)
                return a.Id;
        }
        // Not in this clock's copy: named by the identity it was added with.
        auto found = ids_.find(name);
        return found != ids_.end() ? found->second : 0;
    }

    MemoryStore store_;
    uint64_t now_ = Today(12, 0);
    RecordingEffects effects_;
    std::vector<std::unique_ptr<ClockAlarms>> clocks_;
    std::map<std::string, uint64_t> ids_;
    int added_ = 0;
};

}  // namespace

TEST(ClockAlarmsTogether, ClocksChangingOneStoreStoreWhatOneClockWould) {
    using O = Op;
    struct Schedule {
        const char* what;
        std::vector<Step> steps;
    } schedules[] = {
        {"A adds, B rings a one-shot from its older copy",
         {{0, O::Add, "x"}, {1, O::Reload, ""}, {0, O::Add, "y"}, {1, O::Ring, "x"}, {0, O::Reload, ""}}},
        {"A edits y while B deletes x (keys renumbered) and a ring reloads A",
         {{0, O::Add, "z"},
          {0, O::Add, "y"},
          {0, O::Add, "x"},
          {1, O::Reload, ""},
          {1, O::Delete, "x"},
          {0, O::Ring, "z"},
          {0, O::Edit, "y"}}},
        {"an edit of an alarm deleted meanwhile comes back as a new one",
         {{0, O::Add, "x"}, {1, O::Reload, ""}, {1, O::Delete, "x"}, {0, O::Edit, "x"}}},
        {"check boxes and one-shots in turn",
         {{0, O::Add, "x"},
          {0, O::Add, "y"},
          {1, O::Reload, ""},
          {1, O::Untick, "x"},
          {0, O::Ring, "y"},
          {0, O::Add, "w"},
          {1, O::Tick, "x"},
          {1, O::Ring, "x"},
          {0, O::Delete, "w"}}},
        {"the same alarm added twice by two clocks",
         {{0, O::Add, "x"}, {1, O::Add, "x"}, {0, O::Reload, ""}, {1, O::Delete, "x"}}},
    };
    for (const Schedule& s : schedules) {
        SharedClocks two(2);
        SharedClocks one(1);
        for (size_t i = 0; i < s.steps.size(); ++i) {
            two.Apply(s.steps[i]);
            one.Apply(s.steps[i]);
            const auto stored = two.StoredList();
            const auto expected = one.StoredList();
            ASSERT_EQ(stored.size(), expected.size()) << s.what << ", step " << i;
            for (size_t k = 0; k < stored.size(); ++k) {
                EXPECT_EQ(stored[k].first, expected[k].first) << s.what << ", step " << i << ", key " << k + 1;
                EXPECT_EQ(stored[k].second, expected[k].second) << s.what << ", step " << i << ", key " << k + 1;
            }
        }
        EXPECT_EQ(two.rung(), one.rung()) << s.what;
    }
}

TEST(ClockAlarmsSaving, ManyOneShotsDueInOneTickAreStoredOnce) {
    MemoryStore memory;
    InterruptedStore store(memory, INT_MAX);
    AlarmList list;
    for (int i = 0; i < 50; ++i)
        list.PushBack(Stored(("due " + std::to_string(i)).c_str(), Today(12, 1), 0));
    for (int i = 0; i < 50; ++i)
        list.PushBack(Stored(("later " + std::to_string(i)).c_str(), Today(13, 0), REPEAT_DAILY));
    ASSERT_TRUE(SaveAlarms(store, list, 0));
    const int oneSave = store.Changes();

    RecordingEffects effects;
    uint64_t now = Today(12, 0);
    ClockAlarms alarms{store, [&now] { return now; }, effects, [] { return 0; }};
    alarms.Load();
    const int beforeTick = store.Changes();
    now = Today(12, 1);
    alarms.Check(Today(12, 0), now);
    EXPECT_EQ(effects.done.size(), 50u);
    EXPECT_LT(store.Changes() - beforeTick, 2 * oneSave);
    for (const AlarmRecord& alarm : alarms.List())
        EXPECT_EQ(alarm.Flags & ALARM_ENABLED, alarm.Name.rfind("due", 0) == 0 ? 0u : ALARM_ENABLED);
}

TEST_F(ClockAlarmsTest, AnActionThatHoldsTheThreadFindsTheRungOneShotsStored) {
    AlarmRecord bell = Stored("bell", Today(12, 1), 0);
    bell.Flags = ALARM_ENABLED;
    bell.Sound = "C:\\bell.wav";
    StoreAndLoad({Stored("first", Today(12, 1), 0), bell});
    std::vector<AlarmRecord> storedWhilePlaying;
    effects_.onPlay = [&] {
        for (const AlarmRecord& alarm : LoadAlarms(
                 store_, [this] { return now_; }, 0))
            storedWhilePlaying.push_back(alarm);
    };
    now_ = Today(12, 1);
    alarms_.Check(Today(12, 0), now_);
    ASSERT_EQ(effects_.done, (std::vector<std::string>{"notice first", "play bell"}));
    ASSERT_EQ(storedWhilePlaying.size(), 2u);
    EXPECT_EQ(storedWhilePlaying[0].Flags, static_cast<uint32_t>(ALARM_NOTICE)) << "first stored disabled";
    EXPECT_EQ(alarms_.List()[1].Flags, 0u) << "bell stored disabled after the walk";
}
