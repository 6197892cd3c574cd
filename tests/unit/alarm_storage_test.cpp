#include "alarms/alarm_storage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "alarm_test_util.h"
#include "alarms/alarm_values.h"
#include "interrupted_store.h"

namespace {

constexpr int32_t kOffset = 60;  // local time is UTC + 1 h
const uint64_t kNow = At(2026, 4, 13, 12, 0);

AlarmList Load(MemoryStore& store) {
    return LoadAlarms(
        store, [] { return kNow; }, kOffset);
}

// Alarms whose due times the load does not move (future one-shot and interval alarms).
AlarmRecord Full(const std::string& name, uint64_t due) {
    AlarmRecord a = OneShot(name, due);
    a.Description = "Text of " + name;
    a.Execute = "cmd /c echo " + name;
    a.Sound = "C:\\Sounds\\" + name + ".wav";
    a.Flags = ALARM_ENABLED | ALARM_NOTICE | ALARM_SHUTDOWN | 0x80;
    a.Reoccurence = REPEAT_MINUTES;
    a.Minutes = 20;
    a.SndLooping = 1;
    a.SndSecs = 7;
    return a;
}

std::vector<std::string> AlarmNames(const AlarmList& list) {
    std::vector<std::string> names;
    for (const auto& a : list)
        names.push_back(a.Name);
    return names;
}

TEST(AlarmStorage, SectionNamesCountFromOne) {
    EXPECT_EQ(AlarmSection(1), "Alarms\\1");
    EXPECT_EQ(AlarmSection(12), "Alarms\\12");
}

TEST(AlarmStorage, RoundTripKeepsEveryFieldAndSortsByDueTime) {
    MemoryStore store;
    const AlarmList saved = ListOf(
        {Full("b", kNow + 2 * clock_time::kMinute), OneShot("a", kNow + 60), OneShot("", kNow + clock_time::kDay)});
    ASSERT_TRUE(SaveAlarms(store, saved, kOffset));
    const AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0], saved[1]);
    EXPECT_EQ(loaded[1], saved[0]);
    EXPECT_EQ(loaded[2], saved[2]);
}

TEST(AlarmStorage, WritesTheAlwaysValuesAndLeavesEmptyOptionalOnesOut) {
    MemoryStore store;
    const uint64_t due = At(2026, 12, 10, 1, 10);
    ASSERT_TRUE(SaveAlarms(store, ListOf({OneShot("", due)}), kOffset));
    const auto& section = store.Sections().at("Alarms\\1");
    std::vector<std::string> names;
    for (const auto& value : section)
        names.push_back(value.first);
    EXPECT_EQ(names, (std::vector<std::string>{"Flags", "HTime", "Id", "LTime", "Name", "Time"}));
    EXPECT_EQ(store.ReadInt("Alarms\\1", "LTime"), static_cast<uint32_t>(due));
    EXPECT_EQ(store.ReadInt("Alarms\\1", "HTime"), static_cast<uint32_t>(due >> 32));
    // 2026-12-10 00:10 UTC.
    EXPECT_EQ(store.ReadInt("Alarms\\1", "Time"), 1796861400u);
    EXPECT_EQ(store.ReadInt("Alarms\\1", "Flags"), 3u);
    EXPECT_EQ(store.ReadString("Alarms\\1", "Name"), "");
}

TEST(AlarmStorage, MissingValuesTakeTheirDefaults) {
    MemoryStore store;
    store.WriteInt("Alarms\\1", "Flags", 1);
    store.WriteInt("Alarms\\1", "Minutes", 30);  // not an interval alarm: ignored
    AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 1u);
    AlarmRecord expected;
    expected.Flags = 1;
    EXPECT_EQ(loaded[0], expected);
}

TEST(AlarmStorage, LegacyTimeIsUsedOnlyWithoutHighPart) {
    struct Case {
        const char* what;
        std::optional<uint32_t> high;
        uint32_t time;
        uint64_t expected;
    } cases[] = {
        {"no HTime", std::nullopt, 1796861400u, At(2026, 12, 10, 1, 10)},
        {"HTime 0", 0u, 1796861400u, At(2026, 12, 10, 1, 10)},
        {"2^31 and above are before 1970", std::nullopt, 0xFFFFFFFFu, At(1970, 1, 1, 0, 59, 59)},
        {"most negative", std::nullopt, 0x80000000u, At(1901, 12, 13, 21, 45, 52)},
        {"neither", std::nullopt, 0u, 0},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        store.WriteInt("Alarms\\1", "Flags", 3);
        store.WriteInt("Alarms\\1", "Time", c.time);
        store.WriteInt("Alarms\\1", "LTime", 1234);
        if (c.high)
            store.WriteInt("Alarms\\1", "HTime", *c.high);
        AlarmList loaded = Load(store);
        ASSERT_EQ(loaded.size(), 1u) << c.what;
        EXPECT_EQ(loaded[0].DueTime, c.expected) << c.what;
    }
}

TEST(AlarmStorage, EqualDueTimesKeepTheirKeyOrder) {
    MemoryStore store;
    ASSERT_TRUE(SaveAlarms(store, ListOf({OneShot("x", kNow), OneShot("y", kNow - 5), OneShot("z", kNow)}), kOffset));
    EXPECT_EQ(AlarmNames(Load(store)), (std::vector<std::string>{"y", "x", "z"}));
}

TEST(AlarmStorage, AGapEndsTheListAndTheLoadClearsTheGapKey) {
    MemoryStore store;
    ASSERT_TRUE(SaveAlarms(store, ListOf({OneShot("a", kNow), OneShot("b", kNow)}), kOffset));
    store.WriteString("Alarms\\3", "Name", "leftover");
    store.WriteInt("Alarms\\4", "Flags", 3);
    store.WriteString("Alarms\\4", "Name", "beyond");
    EXPECT_EQ(AlarmNames(Load(store)), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(store.HasSection("Alarms\\3"));
    EXPECT_TRUE(store.HasSection("Alarms\\4"));
}

TEST(AlarmStorage, AnEmptyListLeavesNoAlarmKeys) {
    MemoryStore store;
    ASSERT_TRUE(SaveAlarms(store, ListOf({OneShot("a", kNow), OneShot("b", kNow)}), kOffset));
    store.WriteString("Alarms\\3", "Name", "leftover");
    ASSERT_TRUE(SaveAlarms(store, AlarmList(), kOffset));
    for (const auto& section : store.Sections())
        EXPECT_NE(section.first.rfind("Alarms\\", 0), 0u) << section.first;
}

TEST(AlarmStorage, ARewrittenKeyKeepsNothingOfItsFormerAlarm) {
    MemoryStore store;
    ASSERT_TRUE(SaveAlarms(store, ListOf({Full("old", kNow + clock_time::kMinute)}), kOffset));
    ASSERT_TRUE(SaveAlarms(store, ListOf({OneShot("new", kNow)}), kOffset));
    AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0], OneShot("new", kNow));
    EXPECT_EQ(store.Sections().at("Alarms\\1").size(), 6u);
}

TEST(AlarmStorage, MinutesAreStoredOnlyForIntervalAlarms) {
    MemoryStore store;
    AlarmRecord daily = OneShot("d", kNow + clock_time::kMinute);
    daily.Reoccurence = REPEAT_DAILY;
    daily.Minutes = 30;
    ASSERT_TRUE(SaveAlarms(store, ListOf({daily}), kOffset));
    EXPECT_FALSE(store.ReadInt("Alarms\\1", "Minutes").has_value());
    EXPECT_EQ(Load(store)[0].Minutes, 0);
}

// Every value of every section, typed: "dword 3", "sz text".
using Snapshot = std::map<std::string, std::map<std::string, std::string>>;

Snapshot TakeSnapshot(const MemoryStore& store) {
    Snapshot snapshot;
    for (const auto& section : store.Sections()) {
        auto& values = snapshot[section.first];
        for (const auto& value : section.second)
            values[value.first] =
                value.second.isInt ? "dword " + std::to_string(value.second.number) : "sz " + value.second.text;
    }
    return snapshot;
}

// What a store holds once a load has finished or dropped what a save left.
struct Settled {
    Snapshot sections;
    std::vector<AlarmRecord> loaded;
    bool operator==(const Settled& other) const { return sections == other.sections && loaded == other.loaded; }
};

Settled Settle(MemoryStore store) {
    Settled s;
    for (const auto& r : Load(store))
        s.loaded.push_back(r);
    s.sections = TakeSnapshot(store);
    return s;
}

// Stale sections an earlier, longer list can leave beyond the end of the
// list: one that ends it without Flags, and alarms above that gap.
void AddStaleSectionsAbove(MemoryStore& store, int last) {
    store.WriteString(AlarmSection(last + 1), "Name", "leftover");
    store.WriteString(AlarmSection(last + 1), "Sound", "C:\\leftover.wav");
    for (int n = last + 2; n <= last + 3; ++n) {
        store.WriteInt(AlarmSection(n), "Flags", 1);
        store.WriteString(AlarmSection(n), "Name", "beyond the gap");
    }
}

struct SaveScenario {
    const char* what;
    std::vector<AlarmRecord> before;
    std::vector<AlarmRecord> after;
    bool staleAboveGap = false;
};

struct SweepCounts {
    int points = 0;
    int old = 0;
    int changed = 0;
};

// Interrupts `save` after every number of store changes it makes, then again
// at every change of the load that repairs it, and requires every settled
// store to hold exactly the old or exactly the new list, value by value.
void SweepInterruptions(const SaveScenario& s, SweepCounts& counts) {
    // Built once: each list gives its records new identities.
    const AlarmList before = ListOf(s.before);
    const AlarmList after = ListOf(s.after);
    MemoryStore start;
    ASSERT_TRUE(SaveAlarms(start, before, kOffset));
    if (s.staleAboveGap)
        AddStaleSectionsAbove(start, static_cast<int>(s.before.size()));
    MemoryStore saved = start;
    ASSERT_TRUE(SaveAlarms(saved, after, kOffset));
    const Settled oldState = Settle(start);
    const Settled newState = Settle(saved);
    ASSERT_EQ(newState.loaded.size(), s.after.size()) << s.what;
    EXPECT_EQ(newState.sections.count("PendingAlarms"), 0u) << s.what;

    for (int budget = 0;; ++budget) {
        ASSERT_LT(budget, 2000) << s.what;
        MemoryStore store = start;
        InterruptedStore interrupted(store, budget);
        const bool completed = SaveAlarms(interrupted, after, kOffset);
        EXPECT_EQ(completed, !interrupted.Cut()) << s.what << " after " << budget << " changes";
        const Settled settled = Settle(store);
        ++counts.points;
        if (settled == oldState) {
            ++counts.old;
        } else if (settled == newState) {
            ++counts.changed;
        } else {
            ADD_FAILURE() << s.what << ": neither list after " << budget << " changes";
        }
        if (!interrupted.Cut())
            break;
        // The load that repairs the store, interrupted in turn, must leave the
        // same choice to the next one.
        for (int loadBudget = 0;; ++loadBudget) {
            ASSERT_LT(loadBudget, 2000) << s.what;
            MemoryStore again = store;
            InterruptedStore interruptedLoad(again, loadBudget);
            LoadAlarms(
                interruptedLoad, [] { return kNow; }, kOffset);
            EXPECT_TRUE(Settle(again) == settled)
                << s.what << ": save cut after " << budget << ", load after " << loadBudget << " changes";
            if (!interruptedLoad.Cut())
                break;
        }
    }
}

TEST(AlarmStorage, AnInterruptedSaveLeavesExactlyTheOldOrTheNewList) {
    const uint64_t t = kNow + clock_time::kDay;
    const AlarmRecord a = Full("a", t + 1), b = OneShot("b", t + 2), c = Full("c", t + 3), d = OneShot("d", t + 4);
    AlarmRecord bEdited = b;
    bEdited.DueTime = t + 9;
    bEdited.Execute = "notepad";
    // The mix that must never appear: a's name and time with c's actions.
    AlarmRecord cDaily = c;
    cDaily.Reoccurence = REPEAT_DAILY;
    cDaily.Minutes = 0;
    cDaily.DueTime = t + 5;
    AlarmRecord aDisabled = a;
    aDisabled.Flags &= ~ALARM_ENABLED;
    const SaveScenario scenarios[] = {
        {"new alarm at the front", {a, b, c}, {OneShot("n", t), a, b, c}},
        {"first deleted", {a, b, c}, {b, c}},
        {"last deleted", {a, b, c}, {a, b}},
        {"edited alarm moves behind the next", {bEdited, c}, {c, bEdited}},
        {"edit in place", {a, b, c}, {a, bEdited, c}},
        {"one-shot disabled by a tick", {a, b}, {aDisabled, b}},
        {"rung one-shot moves behind a daily one", {cDaily, b}, {b, cDaily}},
        {"all deleted", {a, b, c, d}, {}},
        {"first alarms", {}, {a, b}},
        {"reversed", {a, b, c, d}, {d, c, b, a}},
        {"shorter list over stale sections", {a, b, c}, {c}, true},
        {"longer list over stale sections", {a}, {a, b, c, d}, true},
    };
    SweepCounts counts;
    for (const auto& s : scenarios)
        SweepInterruptions(s, counts);
    std::printf("interruption points %d: old list %d, new list %d, other %d\n", counts.points, counts.old,
                counts.changed, counts.points - counts.old - counts.changed);
}

// Stores that an older version, or a save cut short by a kill, can leave.
TEST(AlarmStorage, TheLoadRepairsWhatAnInterruptedSaveLeft) {
    const AlarmRecord a = Full("a", kNow + clock_time::kMinute), b = OneShot("b", kNow + 60 * clock_time::kMinute);
    MemoryStore stored;
    ASSERT_TRUE(SaveAlarms(stored, ListOf({a, b}), kOffset));
    const auto stage = [](MemoryStore& store, const std::vector<AlarmRecord>& records) {
        for (size_t n = 1; n <= records.size(); ++n)
            store.WriteString("PendingAlarms", std::to_string(n),
                              AlarmValues::FromRecord(records[n - 1], kOffset).Serialize());
    };
    struct Case {
        const char* what;
        std::function<void(MemoryStore&)> damage;
        std::vector<std::string> expected;
    } cases[] = {
        {"complete staging is rolled forward",
         [&](MemoryStore& s) {
             stage(s, {b});
             s.WriteInt("PendingAlarms", "Count", 1);
         },
         {"b"}},
        {"staging without its count is dropped", [&](MemoryStore& s) { stage(s, {b}); }, {"a", "b"}},
        {"an unreadable staged record makes the staging void",
         [&](MemoryStore& s) {
             stage(s, {b, a});
             s.WriteString("PendingAlarms", "2", "s1:a");
             s.WriteInt("PendingAlarms", "Count", 2);
         },
         {"a", "b"}},
        {"a count beyond the staged records makes it void",
         [&](MemoryStore& s) {
             stage(s, {b});
             s.WriteInt("PendingAlarms", "Count", 7);
         },
         {"a", "b"}},
        {"an empty staged list empties the list", [&](MemoryStore& s) { s.WriteInt("PendingAlarms", "Count", 0); }, {}},
    };
    for (const auto& c : cases) {
        MemoryStore store = stored;
        c.damage(store);
        EXPECT_EQ(AlarmNames(Load(store)), c.expected) << c.what;
        EXPECT_FALSE(store.HasSection("PendingAlarms")) << c.what;
        EXPECT_EQ(AlarmNames(Load(store)), c.expected) << c.what << ", loaded again";
    }
}

TEST(AlarmStorage, RecordsIdenticalInEveryValueAreAllKept) {
    AlarmRecord daily = Full("daily", kNow + clock_time::kMinute);
    daily.Reoccurence = REPEAT_DAILY;
    daily.Minutes = 0;
    MemoryStore store;
    // The same reminder set twice on purpose: two alarms, each with its identity.
    AlarmList list = ListOf({daily, daily, daily});
    ASSERT_TRUE(SaveAlarms(store, list, kOffset));
    const AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(loaded.IndexOfId(list[i].Id), i) << "key " << i + 1;
}

TEST(AlarmStorage, IdentitiesAreStoredAndGivenToRecordsWithoutOne) {
    MemoryStore store;
    AlarmList list = ListOf({Full("a", kNow + clock_time::kMinute), Full("b", kNow + 2 * clock_time::kMinute),
                             Full("c", kNow + 3 * clock_time::kMinute)});
    ASSERT_TRUE(SaveAlarms(store, list, kOffset));
    ASSERT_TRUE(store.ReadString("Alarms\\1", "Id"));
    EXPECT_EQ(store.ReadString("Alarms\\1", "Id")->size(), 16u);

    struct Case {
        const char* what;
        std::function<void(MemoryStore&)> change;
        std::vector<bool> keepsStoredId;
    } cases[] = {
        {"as saved", [](MemoryStore&) {}, {true, true, true}},
        {"stored by a build without identities",
         [](MemoryStore& s) {
             for (int n = 1; n <= 3; ++n)
                 s.DeleteValue(AlarmSection(n), "Id");
         },
         {false, false, false}},
        {"a copied key",
         [](MemoryStore& s) { s.WriteString("Alarms\\3", "Id", *s.ReadString("Alarms\\1", "Id")); },
         {true, true, false}},
        {"unreadable",
         [](MemoryStore& s) { s.WriteString("Alarms\\2", "Id", "not an identity!"); },
         {true, false, true}},
        {"a number", [](MemoryStore& s) { s.WriteInt("Alarms\\2", "Id", 7); }, {true, false, true}},
    };
    for (const Case& c : cases) {
        MemoryStore changed = store;
        c.change(changed);
        const AlarmList first = ReadStoredAlarms(changed, kOffset);
        const AlarmList again = ReadStoredAlarms(changed, kOffset);
        ASSERT_EQ(first.size(), 3u) << c.what;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_NE(first[i].Id, 0u) << c.what;
            EXPECT_EQ(first.IndexOfId(first[i].Id), i) << c.what << ": unique";
            // Every clock reading the same store agrees on every identity.
            EXPECT_EQ(again[i].Id, first[i].Id) << c.what;
            EXPECT_EQ(first[i].Id == list[i].Id, c.keepsStoredId[i]) << c.what << ", key " << i + 1;
        }
        // A save stores them; from then on they are kept.
        ASSERT_TRUE(SaveAlarms(changed, first, kOffset)) << c.what;
        const AlarmList saved = ReadStoredAlarms(changed, kOffset);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(saved[i], first[i]) << c.what;
            EXPECT_EQ(saved[i].Id, first[i].Id) << c.what;
        }
    }
}

TEST(AlarmStorage, AListStagedByABuildWithoutIdentitiesIsStillRolledForward) {
    MemoryStore store;
    AlarmValues values = AlarmValues::FromRecord(Full("staged", kNow + clock_time::kMinute), kOffset);
    std::string text = values.Serialize();
    ASSERT_EQ(text.back(), '-') << "no identity: the older text plus one absent value";
    text.pop_back();
    store.WriteString("PendingAlarms", "1", text);
    store.WriteInt("PendingAlarms", "Count", 1);
    const AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].Name, "staged");
    EXPECT_NE(loaded[0].Id, 0u);
}

}  // namespace
