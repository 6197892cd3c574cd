// The alarms over the real registry, in a scratch key of a throwaway prefix.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarms/alarm_storage.h"
#include "app/registry_store_win.h"
#include "core/clock_time.h"
#include "tests/unit/alarm_test_util.h"

namespace {

const HKEY kRoot = HKEY_CURRENT_USER;
const char* const kScratchPath = "Software\\TavixTests\\AlarmStorageTest";
constexpr int32_t kOffset = -300;  // UTC - 5 h

const uint64_t kNow = At(2026, 4, 13, 12, 0);

bool HasValue(const std::string& section, const char* name) {
    UniqueRegKey key;
    const std::string path = std::string(kScratchPath) + "\\" + section;
    if (::RegOpenKeyExA(kRoot, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    return ::RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool HasKey(const std::string& section) {
    UniqueRegKey key;
    const std::string path = std::string(kScratchPath) + "\\" + section;
    return ::RegOpenKeyExA(kRoot, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

DWORD ValueType(const std::string& section, const char* name) {
    UniqueRegKey key;
    const std::string path = std::string(kScratchPath) + "\\" + section;
    DWORD type = REG_NONE;
    if (::RegOpenKeyExA(kRoot, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS)
        ::RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, nullptr);
    return type;
}

AlarmRecord Full(const std::string& name, uint64_t due) {
    AlarmRecord a = OneShot(name, due);
    a.Description = "Line one\r\nLine two";
    a.Execute = "cmd /c echo " + name;
    a.Sound = "C:\\Program Files\\Tavix\\Sounds\\ring.wav";
    a.Flags = ALARM_ENABLED | ALARM_NOTICE | ALARM_SHUTDOWN;
    a.Reoccurence = REPEAT_MINUTES;
    a.Minutes = 45;
    a.SndLooping = 1;
    a.SndSecs = 12;
    return a;
}

// Forwards to the registry until its budget of changes is spent: a power cut
// in the middle of a save.
class InterruptedStore : public SettingsStore {
public:
    InterruptedStore(SettingsStore& inner, int budget) : inner_(inner), budget_(budget) {}
    std::optional<uint32_t> ReadInt(const std::string& s, const std::string& n) const override {
        return inner_.ReadInt(s, n);
    }
    std::optional<std::string> ReadString(const std::string& s, const std::string& n) const override {
        return inner_.ReadString(s, n);
    }
    bool WriteInt(const std::string& s, const std::string& n, uint32_t v) override {
        return Spend() && inner_.WriteInt(s, n, v);
    }
    bool WriteString(const std::string& s, const std::string& n, const std::string& v) override {
        return Spend() && inner_.WriteString(s, n, v);
    }
    bool DeleteValue(const std::string& s, const std::string& n) override {
        return Spend() && inner_.DeleteValue(s, n);
    }
    bool DeleteSection(const std::string& s) override { return Spend() && inner_.DeleteSection(s); }

private:
    bool Spend() { return budget_-- > 0; }
    SettingsStore& inner_;
    int budget_;
};

class AlarmRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { Wipe(); }
    void TearDown() override { Wipe(); }
    static void Wipe() {
        ::RegDeleteTreeA(kRoot, kScratchPath);
        ::RegDeleteKeyA(kRoot, kScratchPath);
    }
    AlarmList Load(RegistryStore& store) {
        return LoadAlarms(
            store, [] { return kNow; }, kOffset);
    }
};

}  // namespace

TEST_F(AlarmRegistryTest, RoundTripWithTypedValuesAndOptionalOnesLeftOut) {
    RegistryStore store(kRoot, kScratchPath);
    const AlarmList saved = ListOf({Full("tea", kNow + clock_time::kMinute), OneShot("", kNow + 5)});
    ASSERT_TRUE(SaveAlarms(store, saved, kOffset));

    EXPECT_EQ(ValueType("Alarms\\1", "Name"), static_cast<DWORD>(REG_SZ));
    for (const char* name : {"Time", "LTime", "HTime", "Flags", "Reoccurence", "Minutes", "SndLooping", "SndSecs"})
        EXPECT_EQ(ValueType("Alarms\\1", name), static_cast<DWORD>(REG_DWORD)) << name;
    for (const char* name : {"Name", "Time", "LTime", "HTime", "Flags"})
        EXPECT_TRUE(HasValue("Alarms\\2", name));
    for (const char* name : {"Reoccurence", "Execute", "Description", "Sound", "SndLooping", "SndSecs", "Minutes"})
        EXPECT_FALSE(HasValue("Alarms\\2", name)) << name;
    EXPECT_FALSE(HasKey("Alarms\\3"));

    const AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0], saved[1]);
    EXPECT_EQ(loaded[1], saved[0]);
}

TEST_F(AlarmRegistryTest, AGapEndsTheListAndAShorterSaveRemovesTheRest) {
    RegistryStore store(kRoot, kScratchPath);
    ASSERT_TRUE(SaveAlarms(store, ListOf({OneShot("a", kNow), OneShot("b", kNow), OneShot("c", kNow)}), kOffset));
    ASSERT_TRUE(store.DeleteValue("Alarms\\2", "Flags"));
    AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].Name, "a");
    EXPECT_FALSE(HasKey("Alarms\\2")) << "the load clears the key that ends the list";
    EXPECT_TRUE(HasKey("Alarms\\3"));

    ASSERT_TRUE(SaveAlarms(store, AlarmList(), kOffset));
    EXPECT_FALSE(HasKey("Alarms\\1"));
}

TEST_F(AlarmRegistryTest, LegacySecondsSince1970) {
    RegistryStore store(kRoot, kScratchPath);
    // 2026-04-13 17:00 UTC, local UTC - 5 h; then -1, one second before 1970.
    const uint32_t seconds[] = {1776099600u, 0xFFFFFFFFu};
    const uint64_t expected[] = {At(2026, 4, 13, 12, 0), At(1969, 12, 31, 18, 59, 59)};
    for (int i = 0; i < 2; ++i) {
        const std::string section = AlarmSection(i + 1);
        store.WriteInt(section, "Flags", 1);
        store.WriteInt(section, "Time", seconds[i]);
    }
    store.WriteInt("Alarms\\2", "HTime", 0);
    AlarmList loaded = Load(store);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].DueTime, expected[1]);
    EXPECT_EQ(loaded[1].DueTime, expected[0]);

    ASSERT_TRUE(SaveAlarms(store, loaded, kOffset));
    EXPECT_EQ(store.ReadInt("Alarms\\2", "Time"), seconds[0]);
}

TEST_F(AlarmRegistryTest, AnInterruptedSaveLosesNoAlarm) {
    const uint64_t t = kNow + clock_time::kDay;
    const std::vector<AlarmRecord> before = {Full("a", t + 1), OneShot("b", t + 2), Full("c", t + 3)};
    AlarmRecord bEdited = before[1];
    bEdited.Sound = "C:\\bell.wav";
    const std::vector<AlarmRecord> after = {OneShot("new", t), before[2], bEdited};
    for (int budget = 0;; ++budget) {
        Wipe();
        RegistryStore registry(kRoot, kScratchPath);
        ASSERT_TRUE(SaveAlarms(registry, ListOf(before), kOffset));
        InterruptedStore interrupted(registry, budget);
        const bool completed = SaveAlarms(interrupted, ListOf(after), kOffset);
        const AlarmList loaded = Load(registry);
        if (completed) {
            ASSERT_EQ(loaded.size(), 3u);
            break;
        }
        for (size_t k = 1; k < after.size(); ++k) {
            const AlarmRecord& old = before[k == 1 ? 2 : 1];
            bool found = false;
            for (const auto& r : loaded)
                found = found || r == after[k] || r == old;
            EXPECT_TRUE(found) << after[k].Name << " lost after " << budget << " changes";
        }
        ASSERT_LT(budget, 500);
    }
}
