#include "alarms/clock_alarms.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "alarm_test_util.h"
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

TEST_F(ClockAlarmsTest, EachAlarmKeepsItsIdentityAcrossTicksThatSaveAndReload) {
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

    // A new alarm at the front, saved: everyone keeps theirs, the new one gets its own.
    AlarmRecord added = Stored("added", Today(12, 30), 0);
    alarms_.List().PushFront(added);
    const uint64_t addedId = alarms_.List()[0].Id;
    EXPECT_TRUE(alarms_.Save());
    alarms_.Load();
    EXPECT_EQ(idOf("added"), addedId);
    EXPECT_EQ(idOf("daily"), daily);

    // After a failed save no key is trusted: fresh identities, never another alarm's.
    store_.FailAfter(0);
    EXPECT_FALSE(alarms_.Save());
    store_.FailAfter(-1);
    alarms_.Load();
    for (uint64_t old : {daily, once, later, addedId})
        EXPECT_EQ(alarms_.List().IndexOfId(old), alarms_.List().size());
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
