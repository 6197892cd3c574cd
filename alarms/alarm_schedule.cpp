#include "alarms/alarm_schedule.h"

#include <optional>
#include <utility>

#include "core/clock_time.h"

using clock_time::CivilTime;

namespace {

// Months and years in which a given day (29-31, or 29 February) exists are at
// most this far apart: 2 months, or 8 years around a century that is not leap.
constexpr int kMonthsToNextExistingDay = 12;
constexpr int kYearsToNextLeapDay = 8;

void NextMonth(CivilTime& t) {
    t.year += t.month / 12;
    t.month = t.month % 12 + 1;
}

// The first of `t`, `t` moved on by one month, by two, ... (or by years) that
// exists. Without this a monthly alarm on the 31st would stay on a passed
// occurrence whenever the following month is short.
std::optional<uint64_t> FirstExisting(CivilTime t, bool monthly) {
    const int steps = monthly ? kMonthsToNextExistingDay : kYearsToNextLeapDay;
    for (int i = 0; i <= steps; ++i) {
        if (auto converted = clock_time::ToClockTime(t))
            return converted;
        if (monthly)
            NextMonth(t);
        else
            ++t.year;
    }
    return std::nullopt;
}

}  // namespace

uint64_t NextDueTime(const AlarmRecord& alarm, uint64_t now) {
    const uint32_t r = alarm.Reoccurence;
    uint64_t due = alarm.DueTime;
    if (r & REPEAT_MINUTES) {
        if (now > due && alarm.Minutes > 0) {
            const uint64_t period = static_cast<uint64_t>(alarm.Minutes) * clock_time::kMinute;
            return now + period - (now - due) % period;
        }
        return due;
    }
    if (r == 0)
        return due;

    const CivilTime a = clock_time::FromClockTime(due);
    CivilTime b = clock_time::FromClockTime(now);
    b.hour = a.hour;
    b.minute = a.minute;
    b.second = a.second;
    b.millisecond = a.millisecond;
    const bool monthly = (r & REPEAT_MONTHLY) != 0;
    const bool yearly = !monthly && (r & REPEAT_YEARLY) != 0;
    if (monthly)
        b.day = a.day;
    if (yearly) {
        b.day = a.day;
        b.month = a.month;
    }

    // A day that this month (or year) lacks means the next month (year) that
    // has it; that occurrence lies after `now` already.
    auto convert = [&](const CivilTime& t) {
        std::optional<uint64_t> converted = monthly || yearly ? FirstExisting(t, monthly) : clock_time::ToClockTime(t);
        if (converted)
            due = *converted;
    };
    convert(b);

    if (r & REPEAT_WEEKLY) {
        const int w = b.dayOfWeek;
        for (int i = w; i <= w + 7; ++i) {
            if (r & WeekdayBit(i % 7)) {
                due += static_cast<uint64_t>(i - w) * clock_time::kDay;
                if (due > now)
                    return due;
            }
        }
    }

    if (due > now)
        return due;
    if (r & REPEAT_DAILY)
        return due + clock_time::kDay;
    if (monthly) {
        NextMonth(b);
    } else if (r & REPEAT_YEARLY) {
        ++b.year;
    }
    convert(b);
    return due;
}

bool CheckAlarms(AlarmList& list, uint64_t prev, uint64_t now, AlarmCheckHooks& hooks) {
    bool anyDue = false;
    // By position, firing a copy: an action may run a message loop (the
    // shutdown message box) in which the list can change under the walk, and
    // then only the record that fell due may lose its enabled flag.
    for (size_t i = 0; i < list.size(); ++i) {
        const AlarmRecord alarm = list[i];
        const bool inWindow = prev < alarm.DueTime && alarm.DueTime <= now && alarm.DueTime > now - kAlarmCatchUp;
        if (!inWindow || !(alarm.Flags & ALARM_ENABLED))
            continue;
        anyDue = true;
        if (!(alarm.Flags & ALARM_SILENT))
            hooks.Fire(alarm);
        if (alarm.Reoccurence == 0 && i < list.size() && list[i] == alarm) {
            list[i].Flags &= ~ALARM_ENABLED;
            hooks.Save();
        }
    }
    return anyDue;
}

namespace {

// Moves every recurring alarm due at or before `limit` to its first
// occurrence after `from`; an alarm that cannot move (an every-N-minutes
// alarm without a period) keeps its due time.
bool MoveOn(AlarmList& list, uint64_t limit, uint64_t from) {
    bool moved = false;
    for (AlarmRecord& alarm : list) {
        if (alarm.Reoccurence == 0 || alarm.DueTime > limit)
            continue;
        const uint64_t next = NextDueTime(alarm, from);
        if (next > alarm.DueTime) {
            alarm.DueTime = next;
            moved = true;
        }
    }
    return moved;
}

}  // namespace

bool MoveOnSkippedAlarms(AlarmList& list, uint64_t now) {
    if (now < kAlarmCatchUp)
        return false;
    // Moved on from the start of the window, not from `now`: an occurrence the
    // jump passed only a few minutes ago still rings at this tick.
    return MoveOn(list, now - kAlarmCatchUp, now - kAlarmCatchUp);
}

bool MoveOnPassedAlarms(AlarmList& list, uint64_t now) {
    if (!MoveOn(list, now, now))
        return false;
    AlarmList ordered;
    for (const AlarmRecord& alarm : list)
        ordered.InsertByDueTime(alarm);
    list = std::move(ordered);
    return true;
}

std::optional<uint64_t> ConfirmedDueTime(const CivilTime& localNow,
                                         const CivilTime& timeOfDay,
                                         const CivilTime& date,
                                         uint32_t kind) {
    CivilTime t = localNow;
    t.hour = timeOfDay.hour;
    t.minute = timeOfDay.minute;
    t.second = timeOfDay.second;
    t.millisecond = 0;
    if (kind == 0 || (kind & REPEAT_MINUTES)) {
        t.year = date.year;
        t.month = date.month;
        t.day = date.day;
    } else if (kind & REPEAT_MONTHLY) {
        t.day = date.day;
        return FirstExisting(t, true);
    } else if (kind & REPEAT_YEARLY) {
        t.month = date.month;
        t.day = date.day;
        return FirstExisting(t, false);
    }
    return clock_time::ToClockTime(t);
}
