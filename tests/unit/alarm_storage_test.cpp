#include "alarms/alarm_storage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm_test_util.h"

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

std::vector<std::string> Names(const AlarmList& list) {
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
    EXPECT_EQ(names, (std::vector<std::string>{"Flags", "HTime", "LTime", "Name", "Time"}));
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
    EXPECT_EQ(Names(Load(store)), (std::vector<std::string>{"y", "x", "z"}));
}

TEST(AlarmStorage, AGapEndsTheListAndTheLoadClearsTheGapKey) {
    MemoryStore store;
    ASSERT_TRUE(SaveAlarms(store, ListOf({OneShot("a", kNow), OneShot("b", kNow)}), kOffset));
    store.WriteString("Alarms\\3", "Name", "leftover");
    store.WriteInt("Alarms\\4", "Flags", 3);
    store.WriteString("Alarms\\4", "Name", "beyond");
    EXPECT_EQ(Names(Load(store)), (std::vector<std::string>{"a", "b"}));
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
    EXPECT_EQ(store.Sections().at("Alarms\\1").size(), 5u);
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

// Lists before and after a save, by name; a record of the same name is the
// same alarm, perhaps changed.
struct SaveScenario {
    const char* what;
    std::vector<AlarmRecord> before;
    std::vector<AlarmRecord> after;
};

const AlarmRecord* Find(const std::vector<AlarmRecord>& records, const std::string& name) {
    for (const auto& r : records)
        if (r.Name == name)
            return &r;
    return nullptr;
}

TEST(AlarmStorage, AnInterruptedSaveLosesNoAlarm) {
    const uint64_t t = kNow + clock_time::kDay;
    const AlarmRecord a = Full("a", t + 1), b = OneShot("b", t + 2), c = Full("c", t + 3), d = OneShot("d", t + 4);
    AlarmRecord bEdited = b;
    bEdited.DueTime = t + 9;
    bEdited.Execute = "notepad";
    AlarmRecord aDisabled = a;
    aDisabled.Flags &= ~ALARM_ENABLED;
    const SaveScenario scenarios[] = {
        {"new alarm at the front", {a, b, c}, {OneShot("n", t), a, b, c}},
        {"first deleted", {a, b, c}, {b, c}},
        {"last deleted", {a, b, c}, {a, b}},
        {"edited alarm moves behind the next", {bEdited, c}, {c, bEdited}},
        {"edit in place", {a, b, c}, {a, bEdited, c}},
        {"one-shot disabled", {a, b}, {aDisabled, b}},
        {"all deleted", {a, b, c, d}, {}},
        {"first alarms", {}, {a, b}},
        {"reversed", {a, b, c, d}, {d, c, b, a}},
    };
    for (const auto& s : scenarios) {
        for (int failAfter = 0;; ++failAfter) {
            MemoryStore store;
            ASSERT_TRUE(SaveAlarms(store, ListOf(s.before), kOffset));
            store.FailAfter(failAfter);
            const bool completed = SaveAlarms(store, ListOf(s.after), kOffset);
            store.FailAfter(-1);
            std::vector<AlarmRecord> loaded;
            for (const auto& r : Load(store))
                loaded.push_back(r);
            if (completed) {
                EXPECT_EQ(loaded.size(), s.after.size()) << s.what;
                for (const auto& r : s.after)
                    EXPECT_NE(Find(loaded, r.Name), nullptr) << s.what << ": " << r.Name;
                break;
            }
            // Every alarm kept by the save is there, whole, as before or as after.
            for (const auto& kept : s.after) {
                const AlarmRecord* old = Find(s.before, kept.Name);
                if (!old)
                    continue;  // new: not stored yet
                bool found = false;
                for (const auto& r : loaded)
                    found = found || r == kept || r == *old;
                EXPECT_TRUE(found) << s.what << ": " << kept.Name << " lost after " << failAfter << " operations";
            }
            ASSERT_LT(failAfter, 1000) << s.what;
        }
    }
}

}  // namespace
