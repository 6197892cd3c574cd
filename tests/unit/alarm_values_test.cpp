#include "alarms/alarm_values.h"

#include <gtest/gtest.h>

#include <string>

#include "alarm_test_util.h"

namespace {

TEST(AlarmValues, SerializedRecordsParseBackUnchanged) {
    AlarmRecord odd = OneShot("", At(2026, 4, 13, 12, 0));
    odd.Description = "s5:x;i7;-\r\n\xe4";
    odd.Execute = "12:34";
    odd.Flags = 0xFFFFFFFFu;
    odd.Reoccurence = REPEAT_MINUTES;
    odd.Minutes = -1;
    const AlarmRecord plain = OneShot("tea", At(2026, 4, 13, 12, 0));
    for (const AlarmRecord& r : {odd, plain}) {
        const AlarmValues values = AlarmValues::FromRecord(r, 60);
        const auto parsed = AlarmValues::Parse(values.Serialize());
        ASSERT_TRUE(parsed.has_value()) << values.Serialize();
        EXPECT_EQ(*parsed, values);
        EXPECT_EQ(parsed->ToRecord(60), r);
    }
}

TEST(AlarmValues, DamagedTextsDoNotParse) {
    AlarmRecord tea = OneShot("tea", 1);
    tea.Id = 5;
    const std::string good = AlarmValues::FromRecord(tea, 0).Serialize();
    ASSERT_TRUE(AlarmValues::Parse(good).has_value());
    const std::string damaged[] = {
        "",
        good.substr(0, good.size() - 1),          // cut short
        good + "-",                               // a value too many
        "i3;" + good.substr(good.find(':') + 4),  // a number where a text belongs
        "s99:tea" + good.substr(good.find(':') + 4),
        "s:tea" + good.substr(good.find(':') + 4),
        "s-3:tea" + good.substr(good.find(':') + 4),
        "s99999999999:tea",
        "s3:tea-i4294967296;",
        "s3:tea-i12x;",
    };
    for (const std::string& text : damaged)
        EXPECT_FALSE(AlarmValues::Parse(text).has_value()) << text;
}

}  // namespace
