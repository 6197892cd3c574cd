// The stored alarms may hold anything a person, another program or an older
// build put there: any sections, value names, types and values must load,
// tick through a day and save without a crash or a hang, and what was saved
// must load back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "alarms/alarm_actions.h"
#include "alarms/alarm_storage.h"
#include "alarms/clock_alarms.h"
#include "core/clock_time.h"

namespace {

class NoEffects : public AlarmEffects {
public:
    void RunProgram(const std::string&) override {}
    void OpenNotice(const AlarmRecord&) override {}
    void PlaySoundAndWait(const AlarmRecord&) override {}
    void ShutDown() override {}
};

// The names the alarms use, a staging's names and one unknown name.
const char* const kSections[] = {"Alarms\\1", "Alarms\\2", "Alarms\\3",     "Alarms\\4",
                                 "Alarms\\5", "Alarms\\0", "PendingAlarms", "Alarms"};
const char* const kNames[] = {"Name",        "Time",  "LTime",      "HTime",   "Reoccurence", "Execute",
                              "Description", "Sound", "SndLooping", "SndSecs", "Minutes",     "Flags",
                              "Id",          "Count", "1",          "2",       "Other"};

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint32_t Word() {
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i)
            w = (w << 8) | Byte();
        return w;
    }
    std::string Text() {
        const size_t length = Byte();
        std::string text;
        for (size_t i = 0; i < length && !Empty(); ++i)
            text += static_cast<char>(Byte());
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

bool SameList(const AlarmList& a, const AlarmList& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] || a[i].Id != b[i].Id)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryStore store;
    Bytes bytes(data, size);
    while (!bytes.Empty()) {
        const uint8_t pick = bytes.Byte();
        const std::string section = kSections[(pick >> 5) % (sizeof kSections / sizeof *kSections)];
        const std::string name = kNames[bytes.Byte() % (sizeof kNames / sizeof *kNames)];
        if (pick & 1)
            store.WriteInt(section, name, bytes.Word());
        else
            store.WriteString(section, name, bytes.Text());
    }

    // Ticks of a minute through a day from a fixed noon.
    clock_time::CivilTime noon;
    noon.year = 2026;
    noon.month = 3;
    noon.day = 28;
    noon.hour = 12;
    uint64_t now = clock_time::ToClockTime(noon).value_or(0);
    NoEffects effects;
    ClockAlarms alarms(
        store, [&now] { return now; }, effects, [] { return 60; });
    alarms.Load();
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const uint64_t prev = now;
        now += clock_time::kMinute;
        alarms.Check(prev, now);
    }

    const AlarmList stored = ReadStoredAlarms(store, 60);
    if (!SaveAlarms(store, stored, 60))
        std::abort();
    if (!SameList(ReadStoredAlarms(store, 60), stored))
        std::abort();
    return 0;
}
