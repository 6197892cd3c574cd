#include "alarms/alarm_list_edits.h"

#include <gtest/gtest.h>

#include "alarm_test_util.h"

namespace {

AlarmRecord Edited(const char* name, uint32_t flags) {
    AlarmRecord a = OneShot(name, At(2026, 5, 1, 8, 0));
    a.Flags = flags;
    return a;
}

}  // namespace

TEST(AlarmListEditsTest, TheEditReachesItsAlarmWhereverItStandsAndNoOther) {
    AlarmList list = ListOf({OneShot("a", At(2026, 4, 1, 9, 0)), OneShot("b", At(2026, 4, 2, 9, 0))});
    const uint64_t idOfB = list[1].Id;
    // A reload put "b" first and disabled it (a one-shot alarm that rang).
    AlarmList reloaded;
    AlarmRecord b = list[1];
    b.Flags = ALARM_NOTICE | 0x80;
    reloaded.PushBack(b);
    reloaded.PushBack(list[0]);

    EXPECT_EQ(ApplyEdit(reloaded, idOfB, Edited("b edited", ALARM_ENABLED | ALARM_SHUTDOWN)), EditLanding::SameAlarm);
    ASSERT_EQ(reloaded.size(), 2u);
    EXPECT_EQ(reloaded[0].Name, "b edited");
    EXPECT_EQ(reloaded[0].Id, idOfB);
    // Notice and shutdown come from the edit, every other bit from the alarm as it is now.
    EXPECT_EQ(reloaded[0].Flags, ALARM_SHUTDOWN | 0x80u);
    EXPECT_EQ(reloaded[1], list[0]);
}

TEST(AlarmListEditsTest, AnEditOfAnAlarmThatWentMeanwhileComesBackAsANewAlarm) {
    AlarmList list = ListOf({OneShot("a", At(2026, 4, 1, 9, 0))});
    const AlarmRecord before = list[0];
    AlarmRecord edited = Edited("gone", ALARM_ENABLED | ALARM_NOTICE);
    edited.Id = 999999;
    EXPECT_EQ(ApplyEdit(list, 999999, edited), EditLanding::ReAdded);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Name, "gone");
    EXPECT_NE(list[0].Id, 999999u);
    EXPECT_NE(list[0].Id, 0u);
    EXPECT_EQ(list[1], before);
    // Identity 0 belongs to no alarm.
    EXPECT_EQ(ApplyEdit(list, 0, edited), EditLanding::ReAdded);
    EXPECT_EQ(list.size(), 3u);
}
