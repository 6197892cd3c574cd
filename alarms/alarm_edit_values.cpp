#include "alarms/alarm_edit_values.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>

#include "alarms/alarm_schedule.h"

namespace {

constexpr int kTextNoAction = 66;
constexpr int kTextNoKind = 67;
constexpr int kTextNoWeekday = 68;
constexpr int kTextNoName = 69;
constexpr int kTextNoProgram = 70;
constexpr int kTextNoSound = 71;

// A whole decimal number with optional sign and surrounding blanks, as the
// platform's integer boxes accept it; nullopt for anything else.
std::optional<long long> ParseInteger(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    const std::string digits = text.substr(begin, end - begin + 1);
    size_t pos = 0;
    if (digits[0] == '-' || digits[0] == '+')
        pos = 1;
    if (pos == digits.size() || digits.size() > 20)
        return std::nullopt;
    for (size_t i = pos; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return std::nullopt;
    }
    errno = 0;
    const long long value = std::strtoll(digits.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return std::nullopt;
    return value;
}

EditRefusal TooLong(EditField field, size_t limit) {
    return {field, 0, "Enter no more than " + std::to_string(limit) + " characters."};
}

EditRefusal OutOfRange(EditField field, long long low, long long high) {
    return {field, 0, "Enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + "."};
}

std::optional<EditRefusal> CheckInteger(EditField field, const std::string& text, long long low, long long high) {
    const std::optional<long long> value = ParseInteger(text);
    if (!value)
        return EditRefusal{field, 0, "Enter an integer."};
    if (*value < low || *value > high)
        return OutOfRange(field, low, high);
    return std::nullopt;
}

// Sound seconds are stored unsigned: the whole 32-bit range is kept, so a
// value stored by hand survives an edit.
constexpr long long kMaxSoundSeconds = std::numeric_limits<uint32_t>::max();

}  // namespace

RepeatItem RepeatItemOf(uint32_t reoccurence) {
    const uint32_t kind = reoccurence & 0xFF;
    if (kind == 0)
        return RepeatItem::Once;
    if (kind & REPEAT_DAILY)
        return RepeatItem::Daily;
    if (kind & REPEAT_WEEKLY)
        return RepeatItem::Weekly;
    if (kind & REPEAT_MONTHLY)
        return RepeatItem::Monthly;
    if (kind & REPEAT_YEARLY)
        return RepeatItem::Yearly;
    if (kind & REPEAT_MINUTES)
        return RepeatItem::Minutes;
    return RepeatItem::None;
}

AlarmEditValues ValuesOfAlarm(const AlarmRecord& alarm) {
    AlarmEditValues v;
    v.name = alarm.Name;
    v.showNotice = (alarm.Flags & ALARM_NOTICE) != 0;
    v.shutDown = (alarm.Flags & ALARM_SHUTDOWN) != 0;
    v.description = alarm.Description;
    v.runProgram = !alarm.Execute.empty();
    v.program = alarm.Execute;
    v.playSound = !alarm.Sound.empty();
    v.soundPath = alarm.Sound;
    v.loop = alarm.SndLooping != 0;
    v.soundSeconds = std::to_string(alarm.SndSecs);
    v.kind = RepeatItemOf(alarm.Reoccurence);
    if (v.kind == RepeatItem::Minutes)
        v.minutes = std::to_string(alarm.Minutes);
    const clock_time::CivilTime due = clock_time::FromClockTime(alarm.DueTime);
    v.timeOfDay = due;
    v.date = due;
    v.weekdays = static_cast<uint8_t>((alarm.Reoccurence >> 8) & 0x7F);
    return v;
}

AlarmEditValues ValuesOfNewAlarm(const std::string& newName, const clock_time::CivilTime& localNow) {
    AlarmEditValues v;
    v.name = newName;
    v.timeOfDay = localNow;
    v.date = localNow;
    return v;
}

std::optional<EditRefusal> CheckFieldTexts(const AlarmEditValues& v) {
    if (v.program.size() > kMaxPathLength)
        return TooLong(EditField::Program, kMaxPathLength);
    if (v.description.size() > kMaxDescriptionLength)
        return TooLong(EditField::Description, kMaxDescriptionLength);
    if (v.name.size() > kMaxNameLength)
        return TooLong(EditField::Name, kMaxNameLength);
    if (v.soundPath.size() > kMaxPathLength)
        return TooLong(EditField::SoundPath, kMaxPathLength);
    if (auto refusal = CheckInteger(EditField::Minutes, v.minutes, kMinMinutes, kMaxMinutes))
        return refusal;
    return CheckInteger(EditField::SoundSeconds, v.soundSeconds, 0, kMaxSoundSeconds);
}

std::variant<AlarmRecord, EditRefusal> BuildAlarm(const AlarmEditValues& v,
                                                  const AlarmRecord& original,
                                                  const clock_time::CivilTime& localNow) {
    if (auto refusal = CheckFieldTexts(v))
        return *refusal;
    if (!v.showNotice && !v.runProgram && !v.playSound && !v.shutDown)
        return EditRefusal{EditField::None, kTextNoAction, {}};

    AlarmRecord built;
    built.Flags = original.Flags;
    built.Id = original.Id;
    uint32_t kind = 0;
    switch (v.kind) {
        case RepeatItem::Once:
            break;
        case RepeatItem::Daily:
            kind = REPEAT_DAILY;
            break;
        case RepeatItem::Weekly:
            if ((v.weekdays & 0x7F) == 0)
                return EditRefusal{EditField::None, kTextNoWeekday, {}};
            kind = REPEAT_WEEKLY;
            break;
        case RepeatItem::Monthly:
            kind = REPEAT_MONTHLY;
            break;
        case RepeatItem::Yearly:
            kind = REPEAT_YEARLY;
            break;
        case RepeatItem::Minutes:
            kind = REPEAT_MINUTES;
            built.Minutes = static_cast<int32_t>(*ParseInteger(v.minutes));
            break;
        default:
            return EditRefusal{EditField::None, kTextNoKind, {}};
    }
    built.Reoccurence = kind;
    if (kind == REPEAT_WEEKLY)
        built.Reoccurence |= static_cast<uint32_t>(v.weekdays & 0x7F) << 8;

    // A day 31 or a 29 February that the month at hand lacks moves to the
    // next month (year) that has it, as the tick moves such alarms on.
    const std::optional<uint64_t> due = ConfirmedDueTime(localNow, v.timeOfDay, v.date, kind);
    if (!due)
        return EditRefusal{EditField::None, kTextNoKind, {}};
    built.DueTime = *due;

    built.Flags &= ~ALARM_SHUTDOWN;
    if (v.shutDown)
        built.Flags |= ALARM_SHUTDOWN;
    if (v.name.empty())
        return EditRefusal{EditField::Name, kTextNoName, {}};
    built.Name = v.name;
    if (v.showNotice) {
        built.Flags |= ALARM_NOTICE;
        built.Description = v.description;
    } else {
        built.Flags &= ~ALARM_NOTICE;
    }
    if (v.runProgram) {
        if (v.program.empty())
            return EditRefusal{EditField::Program, kTextNoProgram, {}};
        built.Execute = v.program;
    }
    if (v.playSound) {
        if (v.soundPath.empty())
            return EditRefusal{EditField::SoundPath, kTextNoSound, {}};
        built.Sound = v.soundPath;
    }
    built.SndLooping = v.loop ? 1 : 0;
    built.SndSecs = static_cast<uint32_t>(*ParseInteger(v.soundSeconds));
    return built;
}

std::string RefusalText(const EditRefusal& refusal, const LanguageTable& texts) {
    return refusal.languageText ? texts.Text(refusal.languageText) : refusal.text;
}
