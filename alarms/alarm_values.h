#pragma once
// One alarm as the settings store holds it: the values of its section, each
// present or absent. Saving and finishing an interrupted save both copy these
// exactly, so a list staged by one process lands unchanged whoever completes it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "alarms/alarm_record.h"
#include "core/settings_store.h"

class AlarmValues {
public:
    struct Value {
        uint32_t number = 0;
        std::string text;
        bool operator==(const Value& other) const { return number == other.number && text == other.text; }
    };
    // Name, Time, LTime, HTime, Reoccurence, Execute, Description, Sound,
    // SndLooping, SndSecs, Minutes, Flags, Id. Written in that order but with
    // Flags last; Id came later and is what readers of the older layout skip.
    static constexpr size_t kCount = 13;

    // What a save stores for the record; `utcOffsetMinutes` only serves the
    // legacy `Time` value.
    static AlarmValues FromRecord(const AlarmRecord& alarm, int32_t utcOffsetMinutes);
    // Whatever the section holds under the alarm's value names, each read as
    // the type the alarm gives it.
    static AlarmValues Read(const SettingsStore& store, const std::string& section);

    // The record a load rebuilds, before its due time is moved on: missing
    // values take their defaults, `Time` serves only without a nonzero
    // `HTime`, and `Minutes` counts only for an every-N-minutes alarm.
    AlarmRecord ToRecord(int32_t utcOffsetMinutes) const;

    // The stored identity, 0 when the section has none or an unreadable one.
    uint64_t Id() const;

    // All values in one text, for keeping the record somewhere as a single
    // value; Parse gives nullopt for a text that Serialize did not make. A
    // text staged by a build without identities parses with no Id.
    std::string Serialize() const;
    static std::optional<AlarmValues> Parse(const std::string& text);

    bool HasFlags() const;
    // Writes the present values, Flags last. `inPlace` deletes the absent ones
    // too, so that the section holds exactly these alarm values; without it
    // the caller has cleared the section. False at the first failed change,
    // which leaves the section incomplete.
    bool Write(SettingsStore& store, const std::string& section, bool inPlace) const;

    bool operator==(const AlarmValues& other) const { return values_ == other.values_; }
    bool operator!=(const AlarmValues& other) const { return !(*this == other); }

private:
    std::array<std::optional<Value>, kCount> values_;
};
