// Alarms when the shown time jumps and after a sleep, driven tick by tick
// over the memory store the way the clock window drives them.
#include "alarms/alarm_catch_up.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "alarm_test_util.h"
#include "alarms/alarm_list_edits.h"
#include "alarms/alarm_schedule.h"
#include "alarms/alarm_snooze.h"
#include "alarms/alarm_storage.h"
#include "alarms/clock_alarms.h"

namespace {

using clock_time::kMinute;
constexpr uint64_t kHour = 60 * kMinute;

class RingLog : public AlarmEffects {
public:
    explicit RingLog(const uint64_t& now) : now_(now) {}
    void RunProgram(const std::string& commandLine) override { ran.push_back(commandLine); }
    void OpenNotice(const AlarmRecord& alarm) override { rings.push_back({alarm.Name, now_}); }
    void PlaySoundAndWait(const AlarmRecord& alarm) override { rings.push_back({alarm.Name, now_}); }
    void ShutDown() override { ran.push_back("shutdown"); }

    struct Ring {
        std::string name;
        uint64_t at;
        bool operator==(const Ring& o) const { return name == o.name && at == o.at; }
    };
    std::vector<Ring> rings;
    std::vector<std::string> ran;

private:
    const uint64_t& now_;
};

std::ostream& operator<<(std::ostream& out, const RingLog::Ring& ring) {
    const clock_time::CivilTime t = clock_time::FromClockTime(ring.at);
    return out << ring.name << " " << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute;
}

AlarmRecord Alarm(const char* name, uint64_t due, uint32_t reoccurence, int32_t minutes = 0) {
    AlarmRecord a;
    a.Name = name;
    a.DueTime = due;
    a.Reoccurence = reoccurence;
    a.Minutes = minutes;
    a.Execute = std::string("run ") + name;
    return a;
}

// A clock that ticks once a minute of real time, showing UTC plus an offset
// that may change; the system time itself may be set forward.
struct Clock {
    std::function<int64_t(uint64_t utc)> offsetMinutes = [](uint64_t) { return 0; };
    uint64_t setForwardAt = 0;  // real time at which the system time is set forward
    uint64_t setForwardBy = 0;
};

// The clock window's part: one ClockAlarms over the memory store and the tick watch.
struct Simulation {
    void Store(const std::vector<AlarmRecord>& records) { ASSERT_TRUE(SaveAlarms(store_, ListOf(records), 0)); }

    uint64_t Shown(uint64_t real) const {
        const uint64_t utc = real >= clock_.setForwardAt && clock_.setForwardBy ? real + clock_.setForwardBy : real;
        return utc + static_cast<uint64_t>(clock_.offsetMinutes(utc) * static_cast<int64_t>(kMinute));
    }
    uint64_t Utc(uint64_t real) const {
        return real >= clock_.setForwardAt && clock_.setForwardBy ? real + clock_.setForwardBy : real;
    }

    // Starts the clock at `from` and ticks each minute up to `to`; a tick
    // after a gap in real time is what the window sees after a sleep.
    void RunClock(uint64_t from, uint64_t to, uint64_t sleepFrom = 0, uint64_t sleepTo = 0) {
        now_ = Shown(from);
        alarms_.Load();
        uint64_t prev = now_;
        watch_.Observe(now_, Utc(from), from);
        for (uint64_t real = from + kMinute; real <= to; real += kMinute) {
            if (sleepFrom && real > sleepFrom && real < sleepTo)
                continue;
            now_ = Shown(real);
            const TickWatch::Stretch stretch = watch_.Observe(now_, Utc(real), real);
            if (clock_.setForwardBy && real == clock_.setForwardAt)
                alarms_.ReloadAsOf(prev);  // the system's time-change message
            if (stretch.slept) {
                for (const MissedAlarm& m : alarms_.CheckAfterSleep(prev, now_))
                    missed_.push_back(m);
            } else {
                alarms_.Check(prev, now_);
            }
            prev = now_;
        }
    }

    MemoryStore store_;
    uint64_t now_ = 0;
    RingLog log_{now_};
    ClockAlarms alarms_{store_, [this] { return now_; }, log_, [] { return 0; }};
    TickWatch watch_;
    Clock clock_;
    std::vector<MissedAlarm> missed_;
};

class CatchUpTest : public ::testing::Test, protected Simulation {};

int64_t Berlin(uint64_t utc) {
    // 2026: summer time from 29 March 01:00 UTC to 25 October 01:00 UTC.
    return utc >= At(2026, 3, 29, 1, 0) && utc < At(2026, 10, 25, 1, 0) ? 120 : 60;
}

struct JumpCase {
    const char* what;
    AlarmRecord alarm;
    uint64_t from;  // real (UTC) times of the run
    uint64_t to;
    std::function<int64_t(uint64_t)> offsetMinutes;
    uint64_t setForwardAt;
    uint64_t setForwardBy;
    std::vector<uint64_t> nextRings;  // shown times, from the start of the run
};

// 2026-04-13 is a Monday.
const JumpCase kJumpCases[] = {
    {"daily 12:00, zone moved 8 h ahead at 10:00",
     Alarm("noon", At(2026, 4, 13, 12, 0), REPEAT_DAILY),
     At(2026, 4, 13, 9, 0),
     At(2026, 4, 16, 9, 0),
     [](uint64_t utc) { return utc >= At(2026, 4, 13, 10, 0) ? 480 : 0; },
     0,
     0,
     {At(2026, 4, 14, 12, 0), At(2026, 4, 15, 12, 0)}},
    {"daily 12:00, zone moved 30 min ahead at 11:45: rings once at the jump",
     Alarm("noon", At(2026, 4, 13, 12, 0), REPEAT_DAILY),
     At(2026, 4, 13, 9, 0),
     At(2026, 4, 15, 0, 0),
     [](uint64_t utc) { return utc >= At(2026, 4, 13, 11, 45) ? 30 : 0; },
     0,
     0,
     {At(2026, 4, 13, 12, 15), At(2026, 4, 14, 12, 0)}},
    {"daily 12:00, zone moved 8 h back at 14:00: no second ring that day",
     Alarm("noon", At(2026, 4, 13, 12, 0), REPEAT_DAILY),
     At(2026, 4, 13, 9, 0),
     At(2026, 4, 15, 0, 0),
     [](uint64_t utc) { return utc >= At(2026, 4, 13, 14, 0) ? -480 : 0; },
     0,
     0,
     {At(2026, 4, 13, 12, 0), At(2026, 4, 14, 12, 0)}},
    {"daily 02:10 showing Berlin across the spring change",
     Alarm("early", At(2026, 3, 27, 2, 10), REPEAT_DAILY),
     At(2026, 3, 28, 12, 0),
     At(2026, 4, 1, 12, 0),
     Berlin,
     0,
     0,
     {At(2026, 3, 30, 2, 10), At(2026, 3, 31, 2, 10)}},
    {"daily 02:30 showing Berlin across the autumn change: once",
     Alarm("early", At(2026, 10, 1, 2, 30), REPEAT_DAILY),
     At(2026, 10, 24, 12, 0),
     At(2026, 10, 27, 0, 0),
     Berlin,
     0,
     0,
     {At(2026, 10, 25, 2, 30), At(2026, 10, 26, 2, 30)}},
    {"every 15 minutes, zone moved 8 h ahead at 10:05",
     Alarm("quarter", At(2026, 4, 13, 10, 0), REPEAT_MINUTES, 15),
     At(2026, 4, 13, 10, 1),
     At(2026, 4, 13, 11, 0),
     [](uint64_t utc) { return utc >= At(2026, 4, 13, 10, 5) ? 480 : 0; },
     0,
     0,
     {At(2026, 4, 13, 18, 5), At(2026, 4, 13, 18, 15)}},
    {"weekly on Monday 09:00, system time set 3 h ahead at 08:00",
     Alarm("monday", At(2026, 4, 6, 9, 0), REPEAT_WEEKLY | REPEAT_MONDAY),
     At(2026, 4, 13, 7, 0),
     At(2026, 4, 28, 0, 0),
     [](uint64_t) { return 0; },
     At(2026, 4, 13, 8, 0),
     3 * kHour,
     {At(2026, 4, 20, 9, 0), At(2026, 4, 27, 9, 0)}},
    {"daily 12:00, system time set 20 min ahead at 11:50: rings once at the change",
     Alarm("noon", At(2026, 4, 10, 12, 0), REPEAT_DAILY),
     At(2026, 4, 13, 11, 0),
     At(2026, 4, 15, 0, 0),
     [](uint64_t) { return 0; },
     At(2026, 4, 13, 11, 50),
     20 * kMinute,
     {At(2026, 4, 13, 12, 10), At(2026, 4, 14, 12, 0)}},
    {"monthly on the 31st, zone moved 8 h ahead on 31 May at 10:00",
     Alarm("month end", At(2026, 3, 31, 12, 0), REPEAT_MONTHLY),
     At(2026, 5, 30, 0, 0),
     At(2026, 9, 1, 0, 0),
     [](uint64_t utc) { return utc >= At(2026, 5, 31, 10, 0) ? 480 : 0; },
     0,
     0,
     {At(2026, 7, 31, 12, 0), At(2026, 8, 31, 12, 0)}},
};

}  // namespace

TEST(AlarmCatchUp, AJumpOfTheShownTimeNeverStallsARecurringAlarm) {
    for (const JumpCase& c : kJumpCases) {
        Simulation run;
        run.clock_ = {c.offsetMinutes, c.setForwardAt, c.setForwardBy};
        run.Store({c.alarm});
        run.RunClock(c.from, c.to);
        std::vector<RingLog::Ring> expected;
        for (uint64_t at : c.nextRings)
            expected.push_back({c.alarm.Name, at});
        std::vector<RingLog::Ring> first(run.log_.rings.begin(),
                                         run.log_.rings.begin() + std::min(run.log_.rings.size(), expected.size()));
        EXPECT_EQ(first, expected) << c.what;
        // Later rings, if any, follow on at the alarm's own times: nothing is
        // left behind or rings twice at one moment.
        for (size_t i = 1; i < run.log_.rings.size(); ++i)
            EXPECT_GT(run.log_.rings[i].at, run.log_.rings[i - 1].at) << c.what;
    }
}

namespace {

// Monday 22:00 to Tuesday 08:20, 2026-04-13/14, the shown time being UTC.
const uint64_t kSleepFrom = At(2026, 4, 13, 22, 0);
const uint64_t kWake = At(2026, 4, 14, 8, 20);

std::vector<AlarmRecord> AcrossTheNight() {
    AlarmRecord disabled = Alarm("disabled", At(2026, 4, 14, 1, 0), 0);
    disabled.Flags = ALARM_NOTICE;
    AlarmRecord silent = Alarm("silent", At(2026, 4, 14, 2, 0), 0);
    silent.Flags |= ALARM_SILENT;
    return {
        Alarm("before the sleep", At(2026, 4, 13, 21, 0), 0),
        Alarm("once at night", At(2026, 4, 13, 23, 0), 0),
        Alarm("hourly", At(2026, 4, 13, 21, 50), REPEAT_MINUTES, 60),
        Alarm("daily", At(2026, 4, 10, 6, 30), REPEAT_DAILY),
        Alarm("tuesdays", At(2026, 4, 7, 7, 0), REPEAT_WEEKLY | REPEAT_TUESDAY),
        Alarm("just before waking", At(2026, 4, 14, 8, 0), 0),
        Alarm("after waking", At(2026, 4, 14, 9, 0), 0),
        disabled,
        silent,
    };
}

uint32_t StoredFlags(const MemoryStore& store, const std::string& name) {
    for (int n = 1;; ++n) {
        const std::string section = "Alarms\\" + std::to_string(n);
        if (!store.ReadInt(section, "Flags"))
            return 0xFFFFFFFF;
        if (store.GetString(section, "Name", "") == name)
            return *store.ReadInt(section, "Flags");
    }
}

}  // namespace

TEST_F(CatchUpTest, ASleepListsWhatItPassedOnceAndRunsNothingLate) {
    Store(AcrossTheNight());
    // The clock runs from 21:58, the computer sleeps from 22:00 and wakes at
    // 08:20; the clock goes on to 09:30.
    RunClock(kSleepFrom - 2 * kMinute, At(2026, 4, 14, 9, 30), kSleepFrom, kWake);

    EXPECT_EQ(missed_, (std::vector<MissedAlarm>{{"hourly", At(2026, 4, 13, 22, 50), false},
                                                 {"once at night", At(2026, 4, 13, 23, 0), true},
                                                 {"daily", At(2026, 4, 14, 6, 30), false},
                                                 {"tuesdays", At(2026, 4, 14, 7, 0), false}}));
    // The catch-up still rings the last 35 minutes once, and the alarms go on.
    EXPECT_EQ(log_.rings, (std::vector<RingLog::Ring>{{"hourly", At(2026, 4, 14, 8, 20)},
                                                      {"just before waking", At(2026, 4, 14, 8, 20)},
                                                      {"hourly", At(2026, 4, 14, 8, 50)},
                                                      {"after waking", At(2026, 4, 14, 9, 0)}}));
    EXPECT_EQ(log_.ran,
              (std::vector<std::string>{"run hourly", "run just before waking", "run hourly", "run after waking"}))
        << "no program of a missed alarm runs";
    EXPECT_EQ(StoredFlags(store_, "once at night"), static_cast<uint32_t>(ALARM_NOTICE)) << "stored disabled";
    EXPECT_EQ(StoredFlags(store_, "silent"), static_cast<uint32_t>(ALARM_NOTICE | ALARM_SILENT));
    EXPECT_EQ(StoredFlags(store_, "before the sleep"), static_cast<uint32_t>(ALARM_ENABLED | ALARM_NOTICE))
        << "missed before the last tick: not this notice's business";
    for (const AlarmRecord& a : alarms_.List()) {
        if (a.Reoccurence != 0) {
            EXPECT_GT(a.DueTime, now_) << a.Name << " moved on";
        }
    }
}

TEST_F(CatchUpTest, AtStartUpTheAlarmsSinceTheLastTickSeenAreListed) {
    Store(AcrossTheNight());
    StoreLastTick(store_, kSleepFrom);
    // The first tick looks back two minutes; everything older since the last
    // tick seen is listed.
    now_ = kWake;
    const std::optional<uint64_t> lastSeen = StoredLastTick(store_);
    ASSERT_EQ(lastSeen, kSleepFrom);
    const std::vector<MissedAlarm> missed = alarms_.TakeMissedSince(*lastSeen, kWake - 2 * kMinute);
    EXPECT_EQ(missed, (std::vector<MissedAlarm>{{"hourly", At(2026, 4, 13, 22, 50), false},
                                                {"once at night", At(2026, 4, 13, 23, 0), true},
                                                {"daily", At(2026, 4, 14, 6, 30), false},
                                                {"tuesdays", At(2026, 4, 14, 7, 0), false},
                                                {"just before waking", At(2026, 4, 14, 8, 0), true}}));
    alarms_.Load();
    alarms_.Check(kWake - 2 * kMinute, kWake);
    EXPECT_TRUE(log_.rings.empty());
    EXPECT_EQ(StoredFlags(store_, "once at night"), static_cast<uint32_t>(ALARM_NOTICE));
    EXPECT_EQ(StoredFlags(store_, "just before waking"), static_cast<uint32_t>(ALARM_NOTICE));
    EXPECT_EQ(StoredFlags(store_, "after waking"), static_cast<uint32_t>(ALARM_ENABLED | ALARM_NOTICE));
    EXPECT_EQ(StoredLastTick(store_), kSleepFrom) << "the test's list has no UTC clock";

    // Nothing stored, or the clock seen after now: nothing to tell.
    EXPECT_TRUE(alarms_.TakeMissedSince(kWake, kWake - 2 * kMinute).empty());
    MemoryStore empty;
    EXPECT_EQ(StoredLastTick(empty), std::nullopt);
}

// The missed step disables its one-shot alarms in the list as stored now, by
// identity: what another clock stored since this one loaded stays.
TEST(AlarmCatchUp, TheMissedStepKeepsWhatAnotherClockStored) {
    for (bool atStart : {false, true}) {
        SCOPED_TRACE(atStart ? "at start" : "after a sleep");
        Simulation sim;
        sim.Store({Alarm("once at night", At(2026, 4, 13, 23, 0), 0)});
        sim.now_ = kSleepFrom;
        sim.alarms_.Load();
        sim.alarms_.SetUtcClock([] { return kWake; });

        uint64_t otherNow = kSleepFrom;
        RingLog otherLog{otherNow};
        ClockAlarms other{sim.store_, [&otherNow] { return otherNow; }, otherLog, [] { return 0; }};
        ASSERT_TRUE(
            other.Change([](AlarmList& list) { AddAlarm(list, Alarm("added meanwhile", At(2026, 4, 14, 12, 0), 0)); }));

        sim.now_ = kWake;
        const std::vector<MissedAlarm> missed = atStart ? sim.alarms_.TakeMissedSince(kSleepFrom, kWake - 2 * kMinute)
                                                        : sim.alarms_.CheckAfterSleep(kSleepFrom, kWake);
        EXPECT_EQ(missed, (std::vector<MissedAlarm>{{"once at night", At(2026, 4, 13, 23, 0), true}}));
        EXPECT_EQ(StoredFlags(sim.store_, "once at night"), static_cast<uint32_t>(ALARM_NOTICE));
        EXPECT_EQ(StoredFlags(sim.store_, "added meanwhile"), static_cast<uint32_t>(ALARM_ENABLED | ALARM_NOTICE));
        EXPECT_EQ(StoredLastTick(sim.store_), kWake) << "every save keeps the last tick seen";
    }
}

TEST(AlarmCatchUp, TheTickWatchTellsJumpsFromSleep) {
    TickWatch watch;
    const uint64_t t = At(2026, 4, 13, 12, 0);
    EXPECT_FALSE(watch.Observe(t, t, 0).jumped);
    // A few milliseconds between the two readings are no jump.
    TickWatch::Stretch s = watch.Observe(t + kMinute + 30000, t + kMinute, kMinute);
    EXPECT_FALSE(s.jumped);
    EXPECT_FALSE(s.slept);
    s = watch.Observe(t + 2 * kMinute + 8 * kHour, t + 2 * kMinute, 2 * kMinute);
    EXPECT_TRUE(s.jumped);
    EXPECT_FALSE(s.slept) << "another zone is no sleep";
    EXPECT_EQ(watch.Offset(), static_cast<int64_t>(8 * kHour));
    s = watch.Observe(t + 3 * kHour, t + 3 * kHour - 8 * kHour, 3 * kHour);
    EXPECT_TRUE(s.slept);
    EXPECT_FALSE(s.jumped);
    watch.NoteResume();
    EXPECT_TRUE(watch.Observe(t + 3 * kHour, t + 3 * kHour - 8 * kHour, 3 * kHour + kMinute).slept);
    // Set back an hour: the offset is negative.
    EXPECT_TRUE(watch.Observe(t, t + kHour, 3 * kHour + 2 * kMinute).jumped);
    EXPECT_EQ(watch.Offset(), -static_cast<int64_t>(kHour));
}

TEST(AlarmCatchUp, TheComputerWakesForTheNextEnabledAlarm) {
    const uint64_t now = At(2026, 4, 13, 12, 0);
    AlarmRecord off = Alarm("off", now + kMinute, 0);
    off.Flags = 0;
    EXPECT_EQ(NextWakeDueTime(ListOf({Alarm("past", now - kMinute, 0), off, Alarm("later", now + kHour, 0),
                                      Alarm("sooner", now + 2 * kMinute, REPEAT_DAILY)}),
                              now),
              now + 2 * kMinute);
    EXPECT_EQ(NextWakeDueTime(ListOf({Alarm("past", now, 0), off}), now), std::nullopt);
}

TEST(AlarmSnooze, RingsAgainOnceWithItsNoticeAndSoundOnly) {
    SnoozedAlarms snoozed;
    AlarmRecord alarm = Alarm("wake", At(2026, 4, 13, 7, 0), 0);
    alarm.Flags = ALARM_ENABLED | ALARM_NOTICE | ALARM_SHUTDOWN;
    alarm.Sound = "ring.wav";
    snoozed.Add(alarm, 1000 + snoozed.Length());
    EXPECT_EQ(snoozed.Length(), 5u * 60 * 1000);
    EXPECT_TRUE(snoozed.TakeDue(1000 + snoozed.Length() - 1).empty());
    const std::vector<AlarmRecord> due = snoozed.TakeDue(1000 + snoozed.Length());
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].Name, "wake");
    EXPECT_EQ(due[0].Sound, "ring.wav");
    EXPECT_EQ(due[0].Execute, "") << "the program ran at the first ring";
    EXPECT_EQ(due[0].Flags, static_cast<uint32_t>(ALARM_ENABLED | ALARM_NOTICE)) << "no second shutdown";
    EXPECT_TRUE(snoozed.empty());
}
