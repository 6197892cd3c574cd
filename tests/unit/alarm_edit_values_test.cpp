#include "alarms/alarm_edit_values.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "alarm_test_util.h"

namespace {

clock_time::CivilTime Civil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return clock_time::FromClockTime(At(year, month, day, hour, minute, second));
}

// Monday 13 April 2026, 12:00:30.250 local time.
const clock_time::CivilTime kNowCivil = clock_time::FromClockTime(At(2026, 4, 13, 12, 0, 30, 250));

// A valid new alarm at 07:45:10 on 20 May 2026 with a notice.
AlarmEditValues Valid() {
    AlarmEditValues v = ValuesOfNewAlarm("Wake", kNowCivil);
    v.timeOfDay = Civil(2000, 1, 1, 7, 45, 10);
    v.date = Civil(2026, 5, 20);
    return v;
}

struct BuildCase {
    const char* what;
    std::function<void(AlarmEditValues&)> change;
    uint64_t due;
    uint32_t reoccurence;
    int32_t minutes;
};

struct RefusalCase {
    const char* what;
    std::function<void(AlarmEditValues&)> change;
    EditField field;
    int languageText;
    const char* text;
};

}  // namespace

TEST(AlarmEditValuesTest, EachKindBuildsItsDueTimeAndRepeat) {
    const BuildCase cases[] = {
        {"once: the date field's date", [](AlarmEditValues&) {}, At(2026, 5, 20, 7, 45, 10), 0, 0},
        {"once in the past keeps its moment", [](AlarmEditValues& v) { v.date = Civil(2020, 2, 1); },
         At(2020, 2, 1, 7, 45, 10), 0, 0},
        {"daily: today", [](AlarmEditValues& v) { v.kind = RepeatItem::Daily; }, At(2026, 4, 13, 7, 45, 10),
         REPEAT_DAILY, 0},
        {"weekly: today with the ticked days",
         [](AlarmEditValues& v) {
             v.kind = RepeatItem::Weekly;
             v.weekdays = 0x01 | 0x40;
         },
         At(2026, 4, 13, 7, 45, 10), REPEAT_WEEKLY | REPEAT_MONDAY | REPEAT_SUNDAY, 0},
        {"monthly: the date's day this month", [](AlarmEditValues& v) { v.kind = RepeatItem::Monthly; },
         At(2026, 4, 20, 7, 45, 10), REPEAT_MONTHLY, 0},
        {"monthly on day 31 in April goes to 31 May",
         [](AlarmEditValues& v) {
             v.kind = RepeatItem::Monthly;
             v.date = Civil(2026, 1, 31);
         },
         At(2026, 5, 31, 7, 45, 10), REPEAT_MONTHLY, 0},
        {"yearly: month and day this year", [](AlarmEditValues& v) { v.kind = RepeatItem::Yearly; },
         At(2026, 5, 20, 7, 45, 10), REPEAT_YEARLY, 0},
        {"yearly on 29 February in a common year goes to the next leap year",
         [](AlarmEditValues& v) {
             v.kind = RepeatItem::Yearly;
             v.date = Civil(2024, 2, 29);
         },
         At(2028, 2, 29, 7, 45, 10), REPEAT_YEARLY, 0},
        {"every N minutes: the grid starts at the date",
         [](AlarmEditValues& v) {
             v.kind = RepeatItem::Minutes;
             v.minutes = " 1440 ";
         },
         At(2026, 5, 20, 7, 45, 10), REPEAT_MINUTES, 1440},
    };
    for (const BuildCase& c : cases) {
        AlarmEditValues v = Valid();
        c.change(v);
        const auto built = BuildAlarm(v, AlarmRecord{}, kNowCivil);
        ASSERT_TRUE(std::holds_alternative<AlarmRecord>(built)) << c.what;
        const AlarmRecord& alarm = std::get<AlarmRecord>(built);
        EXPECT_EQ(alarm.DueTime, c.due) << c.what;
        EXPECT_EQ(alarm.Reoccurence, c.reoccurence) << c.what;
        EXPECT_EQ(alarm.Minutes, c.minutes) << c.what;
        EXPECT_EQ(alarm.Name, "Wake") << c.what;
    }
}

TEST(AlarmEditValuesTest, TheFirstFailedCheckRefuses) {
    const RefusalCase cases[] = {
        {"no action, even with an empty name",
         [](AlarmEditValues& v) {
             v.showNotice = false;
             v.name.clear();
         },
         EditField::None, 66, ""},
        {"no kind", [](AlarmEditValues& v) { v.kind = RepeatItem::None; }, EditField::None, 67, ""},
        {"weekly without a day", [](AlarmEditValues& v) { v.kind = RepeatItem::Weekly; }, EditField::None, 68, ""},
        {"empty name", [](AlarmEditValues& v) { v.name.clear(); }, EditField::Name, 69, ""},
        {"program ticked but empty", [](AlarmEditValues& v) { v.runProgram = true; }, EditField::Program, 70, ""},
        {"sound ticked but empty", [](AlarmEditValues& v) { v.playSound = true; }, EditField::SoundPath, 71, ""},
        {"minutes with letters", [](AlarmEditValues& v) { v.minutes = "1O"; }, EditField::Minutes, 0,
         "Enter an integer."},
        {"minutes empty", [](AlarmEditValues& v) { v.minutes = ""; }, EditField::Minutes, 0, "Enter an integer."},
        {"minutes 0", [](AlarmEditValues& v) { v.minutes = "0"; }, EditField::Minutes, 0,
         "Enter an integer between 1 and 1440."},
        {"minutes 1441, checked although the kind is once", [](AlarmEditValues& v) { v.minutes = "1441"; },
         EditField::Minutes, 0, "Enter an integer between 1 and 1440."},
        {"minutes beyond 64 bits", [](AlarmEditValues& v) { v.minutes = "99999999999999999999"; }, EditField::Minutes,
         0, "Enter an integer."},
        {"negative seconds", [](AlarmEditValues& v) { v.soundSeconds = "-1"; }, EditField::SoundSeconds, 0,
         "Enter an integer between 0 and 4294967295."},
        {"seconds with letters", [](AlarmEditValues& v) { v.soundSeconds = "5s"; }, EditField::SoundSeconds, 0,
         "Enter an integer."},
        {"name of 256", [](AlarmEditValues& v) { v.name.assign(256, 'n'); }, EditField::Name, 0,
         "Enter no more than 255 characters."},
        {"description of 8193", [](AlarmEditValues& v) { v.description.assign(8193, 'd'); }, EditField::Description, 0,
         "Enter no more than 8192 characters."},
        {"program of 256, before the name is looked at",
         [](AlarmEditValues& v) {
             v.program.assign(256, 'p');
             v.name.assign(300, 'n');
         },
         EditField::Program, 0, "Enter no more than 255 characters."},
        {"sound path of 256", [](AlarmEditValues& v) { v.soundPath.assign(256, 's'); }, EditField::SoundPath, 0,
         "Enter no more than 255 characters."},
        {"field checks come before the action check",
         [](AlarmEditValues& v) {
             v.showNotice = false;
             v.minutes = "x";
         },
         EditField::Minutes, 0, "Enter an integer."},
    };
    LanguageTable texts;
    for (int n = 66; n <= 71; ++n)
        texts.Set(n, "text " + std::to_string(n));
    for (const RefusalCase& c : cases) {
        AlarmEditValues v = Valid();
        c.change(v);
        const auto built = BuildAlarm(v, AlarmRecord{}, kNowCivil);
        ASSERT_TRUE(std::holds_alternative<EditRefusal>(built)) << c.what;
        const EditRefusal& refusal = std::get<EditRefusal>(built);
        EXPECT_EQ(refusal.field, c.field) << c.what;
        EXPECT_EQ(refusal.languageText, c.languageText) << c.what;
        const std::string expected = c.languageText ? "text " + std::to_string(c.languageText) : c.text;
        EXPECT_EQ(RefusalText(refusal, texts), expected) << c.what;
    }
}

TEST(AlarmEditValuesTest, TextsAtTheirLimitsAndSecondsOverTheWholeRange) {
    AlarmEditValues v = Valid();
    v.name.assign(255, 'n');
    v.description.assign(8192, 'd');
    v.runProgram = true;
    v.program.assign(255, 'p');
    v.playSound = true;
    v.soundPath.assign(255, 's');
    v.soundSeconds = "4294967295";
    v.loop = true;
    const auto built = BuildAlarm(v, AlarmRecord{}, kNowCivil);
    ASSERT_TRUE(std::holds_alternative<AlarmRecord>(built));
    const AlarmRecord& alarm = std::get<AlarmRecord>(built);
    EXPECT_EQ(alarm.Name.size(), 255u);
    EXPECT_EQ(alarm.Description.size(), 8192u);
    EXPECT_EQ(alarm.Execute.size(), 255u);
    EXPECT_EQ(alarm.Sound.size(), 255u);
    EXPECT_EQ(alarm.SndSecs, 4294967295u);
    EXPECT_EQ(alarm.SndLooping, 1u);
}

TEST(AlarmEditValuesTest, OnlyNoticeAndShutdownChangeInFlagsAndUntickedActionsClearTheirTexts) {
    AlarmRecord original;
    original.Flags = 0xFFFFFFFF;
    original.Id = 42;
    original.Description = "old text";
    original.Execute = "old.exe";
    original.Sound = "old.wav";
    original.Reoccurence = REPEAT_DAILY | 0xFF0000;
    AlarmEditValues v = ValuesOfAlarm(original);
    EXPECT_TRUE(v.showNotice && v.runProgram && v.playSound && v.shutDown);
    v.showNotice = false;
    v.runProgram = false;
    v.playSound = false;
    v.name = "renamed";
    const auto built = BuildAlarm(v, original, kNowCivil);
    ASSERT_TRUE(std::holds_alternative<AlarmRecord>(built));
    const AlarmRecord& alarm = std::get<AlarmRecord>(built);
    EXPECT_EQ(alarm.Flags, 0xFFFFFFFFu & ~ALARM_NOTICE);
    EXPECT_EQ(alarm.Id, 42u);
    EXPECT_EQ(alarm.Description, "");
    EXPECT_EQ(alarm.Execute, "");
    EXPECT_EQ(alarm.Sound, "");
    EXPECT_EQ(alarm.Reoccurence, REPEAT_DAILY);

    v.shutDown = false;
    v.showNotice = true;
    const auto noShutdown = BuildAlarm(v, original, kNowCivil);
    ASSERT_TRUE(std::holds_alternative<AlarmRecord>(noShutdown));
    EXPECT_EQ(std::get<AlarmRecord>(noShutdown).Flags, 0xFFFFFFFFu & ~ALARM_SHUTDOWN);
    EXPECT_EQ(std::get<AlarmRecord>(noShutdown).Description, "old text");
}

TEST(AlarmEditValuesTest, StoredValuesComeBackIntoTheFields) {
    struct Case {
        uint32_t reoccurence;
        RepeatItem item;
    } cases[] = {
        {0, RepeatItem::Once},
        {REPEAT_DAILY | REPEAT_WEEKLY, RepeatItem::Daily},
        {REPEAT_WEEKLY | REPEAT_TUESDAY, RepeatItem::Weekly},
        {REPEAT_MONTHLY, RepeatItem::Monthly},
        {REPEAT_YEARLY | REPEAT_MINUTES, RepeatItem::Yearly},
        {REPEAT_MINUTES, RepeatItem::Minutes},
        {0x20, RepeatItem::None},
        {REPEAT_MONDAY, RepeatItem::Once},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RepeatItemOf(c.reoccurence), c.item) << c.reoccurence;

    AlarmRecord stored = OneShot("Gym", At(2026, 6, 2, 18, 5, 30));
    stored.Reoccurence = REPEAT_MINUTES;
    stored.Minutes = 90;
    stored.SndSecs = 7;
    const AlarmEditValues v = ValuesOfAlarm(stored);
    EXPECT_EQ(v.kind, RepeatItem::Minutes);
    EXPECT_EQ(v.minutes, "90");
    EXPECT_EQ(v.soundSeconds, "7");
    EXPECT_EQ(v.date.day, 2);
    EXPECT_EQ(v.timeOfDay.hour, 18);
    EXPECT_EQ(v.timeOfDay.second, 30);
    // A stored alarm with every flag and no kind bit still opens: the kind is
    // left unchosen, and confirming it asks for one.
    AlarmRecord odd = stored;
    odd.Reoccurence = 0x20;
    odd.Flags = 0xFFFFFFFF;
    EXPECT_EQ(ValuesOfAlarm(odd).minutes, "15");
    EXPECT_EQ(std::get<EditRefusal>(BuildAlarm(ValuesOfAlarm(odd), odd, kNowCivil)).languageText, 67);
}
