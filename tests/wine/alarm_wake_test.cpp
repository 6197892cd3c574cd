// The alarm step around the clock's alarms under Wine: the wake timer set to
// the next alarm in UTC, the notice of missed alarms, and Snooze.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "alarms/alarm_list_edits.h"
#include "alarms/alarm_snooze.h"
#include "alarms/alarm_storage.h"
#include "alarms/alarm_tick_win.h"
#include "alarms/fire_alarm_win.h"
#include "alarms/winmm_use_win.h"
#include "core/clock_time.h"
#include "core/language_strings.h"
#include "core/language_table.h"
#include "res/resource.h"
#include "tests/unit/alarm_test_util.h"
#include "tests/wine/test_app_win.h"
#include "win/message_box_win.h"

namespace {

using clock_time::kMinute;
constexpr uint64_t kHour = 60 * kMinute;

class NoEffects : public AlarmEffects {
public:
    void RunProgram(const std::string& commandLine) override { ran.push_back(commandLine); }
    void OpenNotice(const AlarmRecord& alarm) override { ran.push_back("notice " + alarm.Name); }
    void PlaySoundAndWait(const AlarmRecord&) override {}
    void ShutDown() override { ran.push_back("shutdown"); }
    std::vector<std::string> ran;
};

AlarmRecord Alarm(const char* name, uint64_t due, uint32_t flags = ALARM_ENABLED | ALARM_NOTICE) {
    AlarmRecord a;
    a.Name = name;
    a.DueTime = due;
    a.Flags = flags;
    return a;
}

// A clock showing a zone `offset` ahead of UTC, read afresh at every call.
struct ZoneClock {
    uint64_t offset = 0;
    uint64_t Now() const { return UtcNow() + offset; }
};

void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

std::vector<std::string> shownMessages;
void RecordMessage(const char* text) {
    shownMessages.push_back(text);
}

}  // namespace

TEST(WakeTimer, IsSetToTheInstantAndFiresThen) {
    WakeTimer timer;
    EXPECT_EQ(timer.ArmedDueTime(), std::nullopt);
    const uint64_t inAnHour = UtcNow() + kHour;
    timer.Arm(inAnHour);
    EXPECT_EQ(timer.ArmedDueTime(), inAnHour);
    ASSERT_TRUE(timer.Handle());
    EXPECT_EQ(::WaitForSingleObject(timer.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    // Set again, to an instant 300 ms away: signalled then, not before.
    const DWORD started = ::GetTickCount();
    timer.Arm(UtcNow() + 3000000);
    EXPECT_EQ(::WaitForSingleObject(timer.Handle(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_GE(::GetTickCount() - started, 250u);

    timer.Arm(std::nullopt);
    EXPECT_EQ(timer.ArmedDueTime(), std::nullopt);
}

TEST(AlarmTick, TheWakeTimerFollowsTheNextAlarmInUtc) {
    TheTestApp();
    ZoneClock zone{8 * kHour};
    MemoryStore store;
    NoEffects effects;
    ClockAlarms alarms(
        store, [&] { return zone.Now(); }, effects, [] { return 0; });
    const uint64_t utc = UtcNow();
    const uint64_t shown = utc + zone.offset;
    // Whole minutes ahead, so the expected instants do not depend on the
    // milliseconds between this line and the tick.
    AlarmList list;
    list.PushBack(Alarm("in two hours", shown + 2 * kHour));
    list.PushBack(Alarm("switched off", shown + kHour, ALARM_NOTICE));
    list.PushBack(Alarm("in three hours", shown + 3 * kHour));
    ASSERT_TRUE(SaveAlarms(store, list, 0));

    AlarmTick tick;
    tick.Start(alarms, store, shown, shown - 2 * kMinute);
    tick.Tick(alarms, shown - 2 * kMinute, shown);
    EXPECT_EQ(tick.Timer().ArmedDueTime(), utc + 2 * kHour) << "the alarm's shown time taken back to UTC";

    // A new alarm saved by the dialog: the timer moves to it at the next tick.
    ASSERT_TRUE(
        alarms.Change([&](AlarmList& stored) { AddAlarm(stored, Alarm("in ninety minutes", shown + 90 * kMinute)); }));
    tick.Tick(alarms, shown, shown + 1);
    EXPECT_EQ(tick.Timer().ArmedDueTime(), utc + 90 * kMinute);

    // The clock now shows a zone an hour further ahead: the same shown time
    // comes an hour sooner.
    zone.offset += kHour;
    tick.Tick(alarms, shown + 1, zone.Now());
    EXPECT_EQ(tick.Timer().ArmedDueTime(), utc + 30 * kMinute);

    // Nothing left to wait for: the timer is cancelled.
    std::map<uint64_t, bool> off;
    for (const AlarmRecord& a : alarms.List())
        off[a.Id] = false;
    ASSERT_TRUE(alarms.Change([&](AlarmList& stored) { SetAlarmsEnabled(stored, off); }));
    tick.Tick(alarms, zone.Now(), zone.Now());
    EXPECT_EQ(tick.Timer().ArmedDueTime(), std::nullopt);
}

TEST(AlarmTick, AtStartTheAlarmsSinceTheLastTickSeenAreToldOnce) {
    TheTestApp();
    TheLanguageTable().Set(lang::kMissedAlarmsHeading, "Missed:");
    MemoryStore store;
    NoEffects effects;
    ClockAlarms alarms(
        store, [] { return UtcNow(); }, effects, [] { return 0; });
    const uint64_t now = UtcNow();
    AlarmRecord dentist = Alarm("Dentist", now - 2 * kHour);
    dentist.Execute = "cmd /c echo must not run";
    ASSERT_TRUE(SaveAlarms(store, ListOf({dentist, Alarm("Before the clock ended", now - 4 * kHour)}), 0));
    StoreLastTick(store, now - 3 * kHour);

    shownMessages.clear();
    SetMessageBoxHook(&RecordMessage);
    AlarmTick tick;
    tick.Start(alarms, store, now, now - 2 * kMinute);
    tick.Tick(alarms, now - 2 * kMinute, now);
    tick.Tick(alarms, now, now + 1);
    SetMessageBoxHook(nullptr);

    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].rfind("Missed:\r\n\r\n", 0), 0u) << shownMessages[0];
    EXPECT_NE(shownMessages[0].find("Dentist"), std::string::npos);
    EXPECT_EQ(shownMessages[0].find("Before the clock ended"), std::string::npos);
    EXPECT_TRUE(effects.ran.empty());
    for (const char* key : {"Alarms\\1", "Alarms\\2"}) {
        const bool dentist = store.GetString(key, "Name", "") == "Dentist";
        EXPECT_EQ(store.ReadInt(key, "Flags").value_or(0) & ALARM_ENABLED, dentist ? 0u : 1u) << key;
    }

    tick.Stop(store);
    EXPECT_GE(StoredLastTick(store).value_or(0) + 10000000, now);
    TheLanguageTable().Clear();
}

namespace {

class RecordingSink : public MciCommandSink {
public:
    void Send(const std::string& command) override { commands.push_back(command); }
    std::vector<std::string> commands;
};

}  // namespace

TEST(AlarmTick, SnoozeClosesTheNoticeAndRingsTheSameAlarmAgain) {
    TheTestApp();
    TheLanguageTable().Set(lang::kNoticeHeading, "Wake up");
    RecordingSink sink;
    SetMciCommandSinkForTesting(&sink);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string sound = std::string(temp) + "tavix_snooze.wav";
    std::ofstream(sound, std::ios::binary) << "RIFF";

    MemoryStore store;
    NoEffects effects;
    ClockAlarms alarms(
        store, [] { return UtcNow(); }, effects, [] { return 0; });
    AlarmTick tick;
    TheSnoozedAlarms().SetLengthForTesting(3000);

    for (bool translated : {false, true}) {
        if (translated)
            TheLanguageTable().Set(lang::kSnoozeButton, "Schlummern");
        AlarmRecord alarm = Alarm("Tea", 0);
        alarm.Sound = sound;
        alarm.Description = "Take the pot off";
        FireAlarm(alarm, true);
        HWND notice = ::FindWindowA(nullptr, "Wake up - Tea");
        ASSERT_TRUE(notice);
        char label[64] = {};
        ::GetDlgItemTextA(notice, IDC_ALARM_SNOOZE, label, sizeof label);
        EXPECT_STREQ(label, translated ? "Schlummern" : "Snooze");
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(notice, IDC_ALARM_SNOOZE)));

        sink.commands.clear();
        ::SendMessageA(notice, WM_COMMAND, MAKEWPARAM(IDC_ALARM_SNOOZE, BN_CLICKED), 0);
        PumpMessages();
        EXPECT_FALSE(::IsWindow(notice)) << "Snooze closes the notice";
        ASSERT_EQ(sink.commands.size(), 1u);
        EXPECT_EQ(sink.commands[0].rfind("close ", 0), 0u) << "and stops its sound";

        // Not before the snooze has passed, then once, by the tick.
        const uint64_t now = UtcNow();
        tick.Tick(alarms, now - 1, now);
        EXPECT_FALSE(::FindWindowA(nullptr, "Wake up - Tea"));
        ::Sleep(3200);
        tick.Tick(alarms, now, now + 1);
        HWND again = ::FindWindowA(nullptr, "Wake up - Tea");
        ASSERT_TRUE(again) << "the same alarm rings again";
        ASSERT_EQ(sink.commands.size(), 3u);
        EXPECT_EQ(sink.commands[2].rfind("play ", 0), 0u) << "with its sound";
        char text[64] = {};
        ::GetDlgItemTextA(again, IDC_ALARM_DESCRIPTION, text, sizeof text);
        EXPECT_STREQ(text, "Take the pot off");
        EXPECT_TRUE(TheSnoozedAlarms().empty());
        ::SendMessageA(again, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        PumpMessages();
        EXPECT_FALSE(::IsWindow(again));
    }
    EXPECT_TRUE(alarms.List().empty()) << "a snooze is no entry of the list";
    EXPECT_FALSE(store.ReadInt("Alarms\\1", "Flags"));
    TheSnoozedAlarms().SetLengthForTesting(kSnoozeLength);
    SetMciCommandSinkForTesting(nullptr);
    ::DeleteFileA(sound.c_str());
    TheLanguageTable().Clear();
}
