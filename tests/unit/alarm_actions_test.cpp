#include "alarms/alarm_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingEffects : public AlarmEffects {
public:
    void RunProgram(const std::string& commandLine) override { done.push_back("run " + commandLine); }
    void OpenNotice(const AlarmRecord& alarm) override { done.push_back("notice " + alarm.Name); }
    void PlaySoundAndWait(const AlarmRecord& alarm) override { done.push_back("play " + alarm.Sound); }
    void ShutDown() override { done.push_back("shutdown"); }
    std::vector<std::string> done;
};

TEST(AlarmActions, RunInTheirFixedOrder) {
    struct Case {
        const char* what;
        uint32_t flags;
        const char* execute;
        const char* sound;
        std::vector<std::string> expected;
    } cases[] = {
        {"everything with a notice",
         ALARM_ENABLED | ALARM_NOTICE | ALARM_SHUTDOWN,
         "calc",
         "ring.wav",
         {"run calc", "notice n", "shutdown"}},
        {"sound without a notice plays before the shutdown",
         ALARM_ENABLED | ALARM_SHUTDOWN,
         "",
         "ring.wav",
         {"play ring.wav", "shutdown"}},
        {"the notice plays the sound itself", ALARM_NOTICE, "", "ring.wav", {"notice n"}},
        {"program only", ALARM_ENABLED, "calc", "", {"run calc"}},
        {"nothing to do", ALARM_ENABLED, "", "", {}},
    };
    for (const auto& c : cases) {
        AlarmRecord alarm;
        alarm.Name = "n";
        alarm.Flags = c.flags;
        alarm.Execute = c.execute;
        alarm.Sound = c.sound;
        RecordingEffects effects;
        RunAlarmActions(alarm, effects);
        EXPECT_EQ(effects.done, c.expected) << c.what;
    }
}

}  // namespace
