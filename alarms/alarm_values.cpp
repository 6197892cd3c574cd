#include "alarms/alarm_values.h"

#include <cstdio>
#include <cstdlib>

#include "core/clock_time.h"

namespace {

struct ValueName {
    const char* name;
    bool isText;
};

// Flags is written last (see Write), so a section that did not hold an alarm
// joins the list only once the whole record is there.
constexpr ValueName kNames[AlarmValues::kCount] = {
    {"Name", true},     {"Time", false},       {"LTime", false}, {"HTime", false},      {"Reoccurence", false},
    {"Execute", true},  {"Description", true}, {"Sound", true},  {"SndLooping", false}, {"SndSecs", false},
    {"Minutes", false}, {"Flags", false},      {"Id", true},
};
enum Index : size_t {
    kName,
    kTime,
    kLowTime,
    kHighTime,
    kReoccurence,
    kExecute,
    kDescription,
    kSound,
    kSndLooping,
    kSndSecs,
    kMinutes,
    kFlags,
    kId,
};
static_assert(kId == AlarmValues::kCount - 1, "one index per value name");

constexpr uint32_t kDefaultFlags = ALARM_ENABLED | ALARM_NOTICE;
// 1601-01-01 to 1970-01-01 in seconds.
constexpr int64_t kEpochSeconds = 11644473600LL;

uint64_t OffsetTicks(int32_t utcOffsetMinutes) {
    return static_cast<uint64_t>(static_cast<int64_t>(utcOffsetMinutes) * static_cast<int64_t>(clock_time::kMinute));
}

uint32_t LegacySeconds(uint64_t dueTime, int32_t utcOffsetMinutes) {
    const uint64_t utc = dueTime - OffsetTicks(utcOffsetMinutes);
    return static_cast<uint32_t>((utc - clock_time::kUnixEpoch) / clock_time::kSecond);
}

// The stored seconds are signed: 2^31 and above lie before 1970.
uint64_t FromLegacySeconds(uint32_t stored, int32_t utcOffsetMinutes) {
    const int64_t seconds = static_cast<int32_t>(stored);
    return static_cast<uint64_t>((seconds + kEpochSeconds) * static_cast<int64_t>(clock_time::kSecond)) +
           OffsetTicks(utcOffsetMinutes);
}

std::optional<AlarmValues::Value> Number(uint32_t number) {
    AlarmValues::Value v;
    v.number = number;
    return v;
}

// A registry string ends at its first NUL; cut there, a staged copy and the
// stored one stay the same.
std::optional<AlarmValues::Value> Text(const std::string& text) {
    AlarmValues::Value v;
    v.text = text.substr(0, text.find('\0'));
    return v;
}

// A decimal number at `pos` up to `end`; advances past it.
std::optional<uint64_t> ParseDecimal(const std::string& text, size_t& pos, char end) {
    const size_t stop = text.find(end, pos);
    if (stop == std::string::npos || stop == pos || stop - pos > 10)
        return std::nullopt;
    uint64_t value = 0;
    for (size_t i = pos; i < stop; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    pos = stop + 1;
    return value;
}

// Sixteen hex digits; anything else names no alarm.
std::string IdText(uint64_t id) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(id));
    return text;
}

uint64_t IdOfText(const std::string& text) {
    if (text.size() != 16)
        return 0;
    uint64_t id = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return 0;
        id = (id << 4) | static_cast<uint64_t>(digit);
    }
    return id;
}

std::optional<AlarmValues::Value> OptionalNumber(uint32_t number, bool present) {
    return present ? Number(number) : std::nullopt;
}

std::optional<AlarmValues::Value> OptionalText(const std::string& text) {
    return text.empty() ? std::nullopt : Text(text);
}

}  // namespace

AlarmValues AlarmValues::FromRecord(const AlarmRecord& alarm, int32_t utcOffsetMinutes) {
    AlarmValues v;
    v.values_ = {
        Text(alarm.Name),
        // No due time stays none: a legacy time for it would be read back as 1970.
        Number(alarm.DueTime != 0 ? LegacySeconds(alarm.DueTime, utcOffsetMinutes) : 0),
        Number(static_cast<uint32_t>(alarm.DueTime)),
        Number(static_cast<uint32_t>(alarm.DueTime >> 32)),
        OptionalNumber(alarm.Reoccurence, alarm.Reoccurence != 0),
        OptionalText(alarm.Execute),
        OptionalText(alarm.Description),
        OptionalText(alarm.Sound),
        OptionalNumber(alarm.SndLooping, alarm.SndLooping != 0),
        OptionalNumber(alarm.SndSecs, alarm.SndSecs != 0),
        OptionalNumber(static_cast<uint32_t>(alarm.Minutes), (alarm.Reoccurence & REPEAT_MINUTES) != 0),
        Number(alarm.Flags),
        alarm.Id != 0 ? Text(IdText(alarm.Id)) : std::nullopt,
    };
    return v;
}

AlarmValues AlarmValues::Read(const SettingsStore& store, const std::string& section) {
    AlarmValues v;
    for (size_t i = 0; i < kCount; ++i) {
        if (kNames[i].isText) {
            if (auto text = store.ReadString(section, kNames[i].name))
                v.values_[i] = Text(*text);
        } else if (auto number = store.ReadInt(section, kNames[i].name)) {
            v.values_[i] = Number(*number);
        }
    }
    return v;
}

AlarmRecord AlarmValues::ToRecord(int32_t utcOffsetMinutes) const {
    const auto number = [this](Index i, uint32_t fallback) { return values_[i] ? values_[i]->number : fallback; };
    const auto text = [this](Index i) { return values_[i] ? values_[i]->text : std::string(); };
    AlarmRecord alarm;
    alarm.Flags = number(kFlags, kDefaultFlags);
    if (const uint32_t high = number(kHighTime, 0)) {
        alarm.DueTime = (static_cast<uint64_t>(high) << 32) | number(kLowTime, 0);
    } else if (const uint32_t legacy = number(kTime, 0)) {
        alarm.DueTime = FromLegacySeconds(legacy, utcOffsetMinutes);
    }
    alarm.Reoccurence = number(kReoccurence, 0);
    alarm.Name = text(kName);
    alarm.Execute = text(kExecute);
    alarm.Sound = text(kSound);
    alarm.Description = text(kDescription);
    alarm.SndLooping = number(kSndLooping, 0);
    alarm.SndSecs = number(kSndSecs, 0);
    if (alarm.Reoccurence & REPEAT_MINUTES)
        alarm.Minutes = static_cast<int32_t>(number(kMinutes, 0));
    alarm.Id = Id();
    return alarm;
}

uint64_t AlarmValues::Id() const {
    return values_[kId] ? IdOfText(values_[kId]->text) : 0;
}

// Per value: "-" when absent, "i<decimal>;" for a number, "s<length>:<bytes>"
// for a text, so that a text may hold any character.
std::string AlarmValues::Serialize() const {
    std::string text;
    for (size_t i = 0; i < kCount; ++i) {
        if (!values_[i])
            text += '-';
        else if (kNames[i].isText)
            text += 's' + std::to_string(values_[i]->text.size()) + ':' + values_[i]->text;
        else
            text += 'i' + std::to_string(values_[i]->number) + ';';
    }
    return text;
}

std::optional<AlarmValues> AlarmValues::Parse(const std::string& text) {
    AlarmValues v;
    size_t pos = 0;
    for (size_t i = 0; i < kCount; ++i) {
        if (i == kId && pos == text.size())
            break;
        if (pos >= text.size())
            return std::nullopt;
        const char kind = text[pos++];
        if (kind == '-')
            continue;
        if (kind != (kNames[i].isText ? 's' : 'i'))
            return std::nullopt;
        const auto number = ParseDecimal(text, pos, kind == 's' ? ':' : ';');
        if (!number)
            return std::nullopt;
        if (kind == 'i') {
            if (*number > UINT32_MAX)
                return std::nullopt;
            v.values_[i] = Number(static_cast<uint32_t>(*number));
        } else {
            if (*number > text.size() - pos)
                return std::nullopt;
            v.values_[i] = Text(text.substr(pos, static_cast<size_t>(*number)));
            pos += static_cast<size_t>(*number);
        }
    }
    if (pos != text.size())
        return std::nullopt;
    return v;
}

bool AlarmValues::HasFlags() const {
    return values_[kFlags].has_value();
}

bool AlarmValues::Write(SettingsStore& store, const std::string& section, bool inPlace) const {
    static constexpr size_t kOrder[kCount] = {kName,    kTime,        kLowTime, kHighTime,   kReoccurence,
                                              kExecute, kDescription, kSound,   kSndLooping, kSndSecs,
                                              kMinutes, kId,          kFlags};
    for (size_t i : kOrder) {
        const char* name = kNames[i].name;
        bool ok = true;
        if (!values_[i])
            ok = !inPlace || store.DeleteValue(section, name);
        else if (kNames[i].isText)
            ok = store.WriteString(section, name, values_[i]->text);
        else
            ok = store.WriteInt(section, name, values_[i]->number);
        if (!ok)
            return false;
    }
    return true;
}
