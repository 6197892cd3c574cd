// The actions of an alarm under Wine: the multimedia commands that direct
// playback and notice windows send (recorded, nothing is played), the notice
// window itself, and a due alarm's program run by the clock's alarm step.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "alarms/alarm_storage.h"
#include "alarms/clock_alarms_win.h"
#include "alarms/fire_alarm_win.h"
#include "alarms/winmm_use_win.h"
#include "core/clock_time.h"
#include "core/language_table.h"
#include "res/resource.h"
#include "tests/wine/test_app_win.h"

namespace {

void EnsureApp() {
    TheTestApp();
}

class RecordingSink : public MciCommandSink {
public:
    void Send(const std::string& command) override { commands.push_back(command); }
    std::vector<std::string> commands;
};

std::string TempFolder() {
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    return path;
}

std::string ShortForm(const std::string& path) {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

class AlarmNoticeTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApp();
        TheLanguageTable().Set(65, "Wake up");
        TheLanguageTable().Set(40, "Close");
        TheLanguageTable().Set(12, "Shutting down");
        SetMciCommandSinkForTesting(&sink_);
        sound_ = TempFolder() + "tavix_ring.wav";
        std::ofstream(sound_, std::ios::binary) << "RIFF";
    }
    void TearDown() override {
        SetMciCommandSinkForTesting(nullptr);
        ::DeleteFileA(sound_.c_str());
    }

    AlarmRecord Alarm(const char* name, uint32_t flags) const {
        AlarmRecord alarm;
        alarm.Name = name;
        alarm.Flags = flags;
        alarm.Sound = sound_;
        return alarm;
    }

    static HWND NoticeOf(const std::string& name) { return ::FindWindowA(nullptr, ("Wake up - " + name).c_str()); }

    static void Close(HWND window) {
        ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        PumpMessages();
    }

    RecordingSink sink_;
    std::string sound_;
};

}  // namespace

TEST_F(AlarmNoticeTest, CommandsForEveryLengthAndLoop) {
    const std::string path = ShortForm(sound_);
    for (uint32_t secs : {0u, 5u}) {
        for (uint32_t looping : {0u, 1u}) {
            const std::string which = "secs " + std::to_string(secs) + " looping " + std::to_string(looping);
            AlarmRecord alarm = Alarm("direct", ALARM_ENABLED);
            alarm.SndSecs = secs;
            alarm.SndLooping = looping;
            sink_.commands.clear();
            FireAlarm(alarm, true);
            const std::string play = secs ? "play mysnd from 0 to 5000 wait" : "play mysnd from 0 wait";
            EXPECT_EQ(sink_.commands, (std::vector<std::string>{"open " + path + " type mpegvideo alias mysnd", play,
                                                                "close mysnd wait"}))
                << which;
            EXPECT_EQ(WinmmUseCount(), 0) << which;

            alarm.Name = "notice";
            alarm.Flags = ALARM_ENABLED | ALARM_NOTICE;
            sink_.commands.clear();
            FireAlarm(alarm, true);
            HWND window = NoticeOf("notice");
            ASSERT_TRUE(window) << which;
            EXPECT_EQ(WinmmUseCount(), 1) << which;
            std::string noticePlay = "play " + path + " from 0";
            if (secs)
                noticePlay += " to 5000";
            if (looping)
                noticePlay += " repeat";
            EXPECT_EQ(sink_.commands,
                      (std::vector<std::string>{"open " + path + " type mpegvideo alias " + path, noticePlay}))
                << which;
            sink_.commands.clear();
            Close(window);
            EXPECT_FALSE(::IsWindow(window)) << which;
            EXPECT_EQ(sink_.commands, (std::vector<std::string>{"close " + path + " wait"})) << which;
            EXPECT_EQ(WinmmUseCount(), 0) << which;
        }
    }
}

TEST_F(AlarmNoticeTest, APathWithSpacesAndNoShortFormStillMakesValidCommands) {
    AlarmRecord alarm = Alarm("spaced", ALARM_ENABLED);
    alarm.Sound = "C:\\No Such Folder\\my ring.wav";
    FireAlarm(alarm, true);
    ASSERT_EQ(sink_.commands.size(), 3u);
    EXPECT_EQ(sink_.commands[0], "open \"C:\\No Such Folder\\my ring.wav\" type mpegvideo alias mysnd");

    alarm.Flags |= ALARM_NOTICE;
    sink_.commands.clear();
    FireAlarm(alarm, true);
    HWND window = NoticeOf("spaced");
    ASSERT_TRUE(window);
    ASSERT_EQ(sink_.commands.size(), 2u);
    const std::string prefix = "open \"C:\\No Such Folder\\my ring.wav\" type mpegvideo alias ";
    ASSERT_EQ(sink_.commands[0].compare(0, prefix.size(), prefix), 0) << sink_.commands[0];
    const std::string alias = sink_.commands[0].substr(prefix.size());
    EXPECT_EQ(alias.find_first_of(" \""), std::string::npos) << alias;
    EXPECT_EQ(sink_.commands[1], "play " + alias + " from 0");
    sink_.commands.clear();
    Close(window);
    EXPECT_EQ(sink_.commands, (std::vector<std::string>{"close " + alias + " wait"}));
}

TEST_F(AlarmNoticeTest, TheWindowNamesTheAlarmAndShowsItsText) {
    struct Case {
        const char* name;
        const char* description;
    } cases[] = {{"with text", "Take the cake\r\nout of the oven"}, {"without text", ""}};
    for (const auto& c : cases) {
        AlarmRecord alarm = Alarm(c.name, ALARM_ENABLED | ALARM_NOTICE);
        alarm.Sound.clear();
        alarm.Description = c.description;
        FireAlarm(alarm, true);
        HWND window = NoticeOf(c.name);
        ASSERT_TRUE(window) << c.name;
        EXPECT_TRUE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << c.name;
        EXPECT_TRUE(::IsWindowVisible(window)) << c.name;
        EXPECT_EQ(::GetParent(window), nullptr) << c.name;
        char text[256] = {};
        ::GetDlgItemTextA(window, IDOK, text, sizeof text);
        EXPECT_STREQ(text, "Close");
        HWND field = ::GetDlgItem(window, IDC_ALARM_DESCRIPTION);
        EXPECT_EQ(::IsWindowVisible(field) != FALSE, c.description[0] != 0) << c.name;
        ::GetWindowTextA(field, text, sizeof text);
        EXPECT_STREQ(text, c.description);
        EXPECT_EQ(sink_.commands.size(), 0u) << "no sound, no commands";
        Close(window);
        EXPECT_FALSE(::IsWindow(window));
    }
}

TEST_F(AlarmNoticeTest, HeadingInRedAndTheNameInBlueWhenThereIsNoText) {
    AlarmRecord alarm = Alarm("Tea is ready", ALARM_ENABLED | ALARM_NOTICE);
    alarm.Sound.clear();
    FireAlarm(alarm, true);
    HWND window = NoticeOf("Tea is ready");
    ASSERT_TRUE(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    RECT client;
    ::GetClientRect(window, &client);
    int red = 0, blue = 0;
    {
        WindowDC dc(window);
        ASSERT_TRUE(dc);
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < client.right; x += 2) {
                const COLORREF c = ::GetPixel(dc.get(), x, y);
                if (c == RGB(255, 0, 0)) {
                    ++red;
                    EXPECT_LT(y, 80);
                }
                if (c == RGB(0, 0, 255)) {
                    ++blue;
                    EXPECT_GE(y, 60);
                }
            }
        }
    }
    EXPECT_GT(red, 20);
    EXPECT_GT(blue, 20);
    Close(window);
}

namespace {

uint64_t At(int hour, int minute) {
    clock_time::CivilTime t;
    t.year = 2026;
    t.month = 4;
    t.day = 13;
    t.hour = hour;
    t.minute = minute;
    return clock_time::ToClockTime(t).value();
}

AlarmRecord Stored(const char* name, uint64_t due, uint32_t reoccurence) {
    AlarmRecord a;
    a.Name = name;
    a.DueTime = due;
    a.Reoccurence = reoccurence;
    return a;
}

}  // namespace

TEST(ClockAlarms, ProgramOfADueAlarmRuns) {
    EnsureApp();
    const std::string file = TempFolder() + "tavix_alarm_rang.txt";
    ::DeleteFileA(file.c_str());
    MemoryStore store;
    ClockAlarms alarms(
        store, [] { return At(12, 0); }, true);
    AlarmRecord alarm = Stored("program", At(12, 1), 0);
    alarm.Flags = ALARM_ENABLED;
    alarm.Execute = "cmd /c echo rang> \"" + file + "\"";
    AlarmList list;
    list.PushBack(alarm);
    ASSERT_TRUE(SaveAlarms(store, list, 0));
    alarms.Load();
    alarms.Check(At(12, 0), At(12, 1));
    bool written = false;
    for (int i = 0; i < 100 && !written; ++i) {
        written = ::GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!written)
            ::Sleep(100);
    }
    EXPECT_TRUE(written);
    ::DeleteFileA(file.c_str());
    EXPECT_EQ(store.ReadInt("Alarms\\1", "Flags"), 0u);
}
