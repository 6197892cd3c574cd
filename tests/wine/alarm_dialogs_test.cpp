// The alarms list and the alarm edit dialog, driven by messages over a
// scratch registry key, with a host that stands where the clock window will.

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "alarms/alarm_edit_dlg_win.h"
#include "alarms/alarm_storage.h"
#include "alarms/alarms_dlg_win.h"
#include "alarms/clock_alarms.h"
#include "alarms/clock_alarms_dialog_host_win.h"
#include "alarms/file_choice_win.h"
#include "app/registry_store_win.h"
#include "core/clock_time.h"
#include "core/language_table.h"
#include "res/resource.h"
#include "tests/unit/alarm_test_util.h"
#include "tests/wine/dialog_script_win.h"
#include "tests/wine/test_app_win.h"
#include "win/message_box_win.h"
#include "win/system_clock_win.h"

namespace {

const char* const kScratchPath = "Software\\TavixTests\\AlarmDialogsTest";
const char* const kListCaption = "Alarms list";
const char* const kEditCaption = "Alarm edit";

class RecordingEffects : public AlarmEffects {
public:
    void RunProgram(const std::string& commandLine) override { done.push_back("run " + commandLine); }
    void OpenNotice(const AlarmRecord& alarm) override { done.push_back("notice " + alarm.Name); }
    void PlaySoundAndWait(const AlarmRecord& alarm) override { done.push_back("play " + alarm.Name); }
    void ShutDown() override { done.push_back("shutdown"); }
    std::vector<std::string> done;
};

// What the clock window will be to the dialogs: its ClockAlarms over the
// registry, the real actions for Test, and the tick's refill of open dialogs.
struct TestClock {
    TestClock() { alarms.SetListChangedCallback(&RefillOpenAlarmsDialogs); }

    RegistryStore store{HKEY_CURRENT_USER, kScratchPath};
    uint64_t now = LocalClockTimeNow();
    RecordingEffects effects;
    ClockAlarms alarms{store, [this] { return now; }, effects, [] { return 0; }};
    bool dontRepos = false;
    ClockAlarmsDialogHost host{alarms, store, true, [this] { return dontRepos; }, "C:\\Tavix\\"};
};

SYSTEMTIME Civil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}

std::string TempFolder() {
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    return path;
}

class AlarmDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheTestApp();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
        host_ = std::make_unique<TestClock>();
        LanguageTable& texts = TheLanguageTable();
        for (int n = 1; n <= kLanguageStringCount; ++n)
            texts.Set(static_cast<unsigned>(n), "text " + std::to_string(n));
        texts.Set(45, kListCaption);
        texts.Set(55, kEditCaption);
        texts.Set(49, "Monthly, day %d");
        texts.Set(75, "New alarm");
        CollectMessages();
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        SetFileChooserForTesting(nullptr);
        host_.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath);
    }

    // Stores the alarms and loads them into the host, as the clock's start does.
    void Stored(const std::vector<AlarmRecord>& records) {
        AlarmList list = ListOf(records);
        ASSERT_TRUE(SaveAlarms(host_->store, list, 0));
        host_->alarms.Load();
    }

    // Runs the alarms dialog with the script; the script must end it.
    INT_PTR RunList(DialogScript& script) {
        CAlarmsDlg dialog(nullptr, host_->host);
        script.Start();
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(script.Finish()) << "the script stalled";
        EXPECT_EQ(OpenAlarmsDialog(), nullptr);
        return result;
    }

    std::optional<uint32_t> Stored(int n, const char* value) const {
        return host_->store.ReadInt("Alarms\\" + std::to_string(n), value);
    }
    std::string StoredText(int n, const char* value) const {
        return host_->store.GetString("Alarms\\" + std::to_string(n), value, "<none>");
    }
    clock_time::CivilTime StoredDue(int n) const {
        const uint64_t due = (uint64_t{Stored(n, "HTime").value_or(0)} << 32) | Stored(n, "LTime").value_or(0);
        return clock_time::FromClockTime(due);
    }

    std::unique_ptr<TestClock> host_;
    HWND list_ = nullptr;
    HWND edit_ = nullptr;
};

// Steps that wait for a dialog and keep its handle.
DialogScript::Step WaitFor(const char* caption, HWND& into) {
    return [caption, &into] {
        into = FindDialog(caption);
        return into != nullptr;
    };
}

DialogScript::Step WaitGone(HWND& window) {
    return [&window] { return !::IsWindow(window); };
}

}  // namespace

TEST_F(AlarmDialogsTest, EachRepeatKindCreatedThroughTheEditDialogIsStored) {
    struct Case {
        const char* what;
        int item;
        uint32_t reoccurence;
        int32_t minutes;
        bool dateFromField;  // year, month and day from the date field
    } cases[] = {
        {"once", 0, 0, 0, true},
        {"daily", 1, REPEAT_DAILY, 0, false},
        {"weekly on Monday and Friday", 2, REPEAT_WEEKLY | REPEAT_MONDAY | REPEAT_FRIDAY, 0, false},
        {"monthly", 3, REPEAT_MONTHLY, 0, false},
        {"yearly", 4, REPEAT_YEARLY, 0, false},
        {"every 30 minutes", 5, REPEAT_MINUTES, 30, true},
    };
    for (const Case& c : cases) {
        SetUp();
        DialogScript script;
        script.Then(WaitFor(kListCaption, list_))
            .Do([&] { Click(list_, IDC_ALARMS_NEW); })
            .Then(WaitFor(kEditCaption, edit_))
            .Do([&] {
                EXPECT_EQ(ItemText(edit_, IDC_EDIT_NAME), "New alarm");
                ::SetDlgItemTextA(edit_, IDC_EDIT_NAME, c.what);
                SelectKind(edit_, c.item);
                EXPECT_EQ(::GetDlgItem(edit_, IDC_EDIT_DATE) != nullptr, c.item != 1 && c.item != 2) << c.what;
                EXPECT_EQ(::GetDlgItem(edit_, IDC_EDIT_WEEKDAYS) != nullptr, c.item == 2) << c.what;
                EXPECT_EQ(::IsWindowVisible(::GetDlgItem(edit_, IDC_EDIT_MINUTES)) != FALSE, c.item == 5) << c.what;
                SetPicker(edit_, IDC_EDIT_TIME, Civil(2000, 1, 1, 7, 45, 0));
                if (::GetDlgItem(edit_, IDC_EDIT_DATE))
                    SetPicker(edit_, IDC_EDIT_DATE, Civil(2027, 3, 5));
                if (c.item == 2) {
                    SetRowChecked(edit_, IDC_EDIT_WEEKDAYS, 4, true);
                    SetRowChecked(edit_, IDC_EDIT_WEEKDAYS, 0, true);
                }
                if (c.item == 5)
                    ::SetDlgItemTextA(edit_, IDC_EDIT_MINUTES, "30");
                Click(edit_, IDOK);
            })
            .Then(WaitGone(edit_))
            .Do([&] {
                EXPECT_EQ(ListRows(list_, IDC_ALARMS_LIST), 1) << c.what;
                EXPECT_EQ(ListCell(list_, IDC_ALARMS_LIST, 0, 0), c.what);
                EXPECT_TRUE(RowChecked(list_, IDC_ALARMS_LIST, 0)) << c.what;
                Click(list_, IDOK);
            });
        EXPECT_EQ(RunList(script), IDOK) << c.what;
        EXPECT_EQ(StoredText(1, "Name"), c.what);
        EXPECT_EQ(Stored(1, "Flags"), ALARM_ENABLED | ALARM_NOTICE) << c.what;
        EXPECT_EQ(Stored(1, "Reoccurence").value_or(0), c.reoccurence) << c.what;
        EXPECT_EQ(Stored(1, "Minutes").value_or(0), static_cast<uint32_t>(c.minutes)) << c.what;
        EXPECT_FALSE(Stored(2, "Flags")) << c.what;
        const clock_time::CivilTime due = StoredDue(1);
        EXPECT_EQ(due.hour, 7) << c.what;
        EXPECT_EQ(due.minute, 45) << c.what;
        if (c.dateFromField) {
            EXPECT_EQ(due.year, 2027) << c.what;
            EXPECT_EQ(due.month, 3) << c.what;
            EXPECT_EQ(due.day, 5) << c.what;
        }
        if (c.item == 3)
            EXPECT_EQ(due.day, 5) << c.what;
        if (c.item == 4)
            EXPECT_TRUE(due.month == 3 && due.day == 5) << c.what;
        if (c.item == 2) {
            // Stored as confirmed (today); the load after the save moved it to a ticked day.
            const int day = clock_time::FromClockTime(host_->alarms.List()[0].DueTime).dayOfWeek;
            EXPECT_TRUE(day == 1 || day == 5) << c.what;
        }
        EXPECT_TRUE(ShownMessages().empty()) << c.what;
        TearDown();
    }
}

TEST_F(AlarmDialogsTest, RefusalsKeepTheEditDialogOpenWithTheInputInPlace) {
    DialogScript script;
    script.Then(WaitFor(kListCaption, list_))
        .Do([&] { Click(list_, IDC_ALARMS_NEW); })
        .Then(WaitFor(kEditCaption, edit_))
        .Do([&] {
            ::SetDlgItemTextA(edit_, IDC_EDIT_NAME, "Typed name");
            SelectKind(edit_, 5);
            ::SetDlgItemTextA(edit_, IDC_EDIT_MINUTES, "1441");
            // Hidden again, the box still blocks.
            SelectKind(edit_, 1);
            Click(edit_, IDOK);
        })
        .Then([&] { return !ShownMessages().empty(); })
        .Do([&] {
            EXPECT_EQ(ShownMessages().back(), "Enter an integer between 1 and 1440.");
            EXPECT_TRUE(::IsWindow(edit_));
            EXPECT_EQ(ItemText(edit_, IDC_EDIT_NAME), "Typed name");
            ::SetDlgItemTextA(edit_, IDC_EDIT_MINUTES, "20");
            SetCheck(edit_, IDC_EDIT_NOTICE_CHECK, false);
            Click(edit_, IDOK);
        })
        .Then([&] { return ShownMessages().size() == 2; })
        .Do([&] {
            EXPECT_EQ(ShownMessages().back(), "text 66");
            SetCheck(edit_, IDC_EDIT_PROGRAM_CHECK, true);
            Click(edit_, IDOK);
        })
        .Then([&] { return ShownMessages().size() == 3; })
        .Do([&] {
            EXPECT_EQ(ShownMessages().back(), "text 70");
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(edit_, IDC_EDIT_PROGRAM));
            ::SetDlgItemTextA(edit_, IDC_EDIT_PROGRAM, "notepad.exe");
            Click(edit_, IDOK);
        })
        .Then(WaitGone(edit_))
        .Do([&] { Click(list_, IDOK); });
    RunList(script);
    EXPECT_EQ(ShownMessages().size(), 3u);
    EXPECT_EQ(StoredText(1, "Name"), "Typed name");
    EXPECT_EQ(StoredText(1, "Execute"), "notepad.exe");
    EXPECT_EQ(Stored(1, "Reoccurence"), REPEAT_DAILY);
    EXPECT_EQ(Stored(1, "Flags"), ALARM_ENABLED);
    EXPECT_EQ(StoredText(1, "Description"), "<none>");
}

TEST_F(AlarmDialogsTest, EnableRulesAndTheBrowseButtons) {
    AlarmRecord stored = OneShot("with sound", LocalClockTimeNow() + clock_time::kDay);
    stored.Sound = "C:\\Stored\\bell.wav";
    std::vector<FileChoice> asked;
    SetFileChooserForTesting([&](const FileChoice& choice) -> std::optional<std::string> {
        asked.push_back(choice);
        return std::string("C:\\Chosen\\chime.wav");
    });
    auto enabled = [&](int id) { return ::IsWindowEnabled(::GetDlgItem(edit_, id)) != FALSE; };
    for (bool existing : {false, true}) {
        CAlarmEditDlg dialog(nullptr, existing ? stored : AlarmRecord{}, existing, "C:\\Tavix");
        DialogScript script;
        script.Then(WaitFor(kEditCaption, edit_))
            .Do([&] {
                EXPECT_EQ(enabled(IDC_EDIT_SOUND), existing);
                EXPECT_EQ(enabled(IDC_EDIT_LOOP_CHECK), existing) << "notice and sound";
                EXPECT_TRUE(enabled(IDC_EDIT_DESCRIPTION));
                EXPECT_FALSE(enabled(IDC_EDIT_PROGRAM));
                ::SetDlgItemTextA(edit_, IDC_EDIT_NAME, "typed before browsing");
                ::SetDlgItemTextA(edit_, IDC_EDIT_SOUND, "C:\\Typed\\other.wav");
                Click(edit_, IDC_EDIT_BROWSE_SOUND);
            })
            .Then([&] { return ItemText(edit_, IDC_EDIT_SOUND) == "C:\\Chosen\\chime.wav"; })
            .Do([&] {
                EXPECT_EQ(ItemText(edit_, IDC_EDIT_NAME), "typed before browsing");
                EXPECT_EQ(::IsDlgButtonChecked(edit_, IDC_EDIT_SOUND_CHECK), BST_CHECKED);
                EXPECT_TRUE(enabled(IDC_EDIT_SOUND));
                EXPECT_TRUE(enabled(IDC_EDIT_SECONDS));
                EXPECT_TRUE(enabled(IDC_EDIT_LOOP_CHECK));
                SetCheck(edit_, IDC_EDIT_NOTICE_CHECK, false);
            })
            .Then([&] { return !enabled(IDC_EDIT_DESCRIPTION); })
            .Do([&] {
                EXPECT_FALSE(enabled(IDC_EDIT_LOOP_CHECK));
                Click(edit_, IDC_EDIT_BROWSE_PROGRAM);
            })
            .Then([&] { return enabled(IDC_EDIT_PROGRAM); })
            .Do([&] { Click(edit_, IDCANCEL); });
        script.Start();
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(script.Finish());
    }
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].initialFile, "C:\\Tavix\\Sounds\\ring.wav");
    EXPECT_EQ(asked[0].filter, "text 73");
    EXPECT_EQ(asked[1].initialFile, "");
    EXPECT_EQ(asked[1].filter, "text 74");
    EXPECT_EQ(asked[2].initialFile, "C:\\Stored\\bell.wav") << "the stored sound, not the changed box";
}

TEST_F(AlarmDialogsTest, CheckBoxesSaveOnOkAndAreDroppedOnCancel) {
    struct Case {
        const char* what;
        bool deleteOther;
        int closeWith;
        uint32_t storedFlags;
    } cases[] = {
        {"untick, OK", false, IDOK, ALARM_NOTICE},
        {"untick, Cancel", false, IDCANCEL, ALARM_ENABLED | ALARM_NOTICE},
        {"untick, delete another, Cancel: Delete saved the list", true, IDCANCEL, ALARM_NOTICE},
    };
    const uint64_t soon = LocalClockTimeNow() + clock_time::kDay;
    for (const Case& c : cases) {
        SetUp();
        Stored({OneShot("first", soon), OneShot("second", soon + clock_time::kMinute)});
        DialogScript script;
        script.Then(WaitFor(kListCaption, list_))
            .Do([&] {
                ASSERT_EQ(ListRows(list_, IDC_ALARMS_LIST), 2);
                SetRowChecked(list_, IDC_ALARMS_LIST, 0, false);
                EXPECT_TRUE(host_->alarms.List()[0].Flags & ALARM_ENABLED) << c.what << ": not stored yet";
                if (c.deleteOther) {
                    SelectRow(list_, IDC_ALARMS_LIST, 1);
                    Click(list_, IDC_ALARMS_DELETE);
                }
            })
            .Then([&] { return ListRows(list_, IDC_ALARMS_LIST) == (c.deleteOther ? 1 : 2); })
            .Do([&] { ::PostMessageA(list_, WM_COMMAND, static_cast<WPARAM>(c.closeWith), 0); });
        EXPECT_EQ(RunList(script), c.closeWith) << c.what;
        EXPECT_EQ(Stored(1, "Flags"), c.storedFlags) << c.what;
        EXPECT_EQ(host_->alarms.List()[0].Flags, c.storedFlags) << c.what;
        EXPECT_EQ(Stored(2, "Flags").has_value(), !c.deleteOther) << c.what;
        TearDown();
    }
}

TEST_F(AlarmDialogsTest, DeletingTheOnlyAlarmLeavesNoKeyAndButtonsWithoutARowDoNothing) {
    Stored({OneShot("only", LocalClockTimeNow() + clock_time::kDay)});
    DialogScript script;
    script.Then(WaitFor(kListCaption, list_))
        .Do([&] {
            for (int id : {IDC_ALARMS_EDIT, IDC_ALARMS_DELETE, IDC_ALARMS_TEST})
                Click(list_, id);
        })
        .Then([&] { return true; })
        .Do([&] {
            EXPECT_EQ(ListRows(list_, IDC_ALARMS_LIST), 1);
            EXPECT_EQ(FindDialog(kEditCaption), nullptr);
            SelectRow(list_, IDC_ALARMS_LIST, 0);
            Click(list_, IDC_ALARMS_DELETE);
        })
        .Then([&] { return ListRows(list_, IDC_ALARMS_LIST) == 0; })
        .Do([&] { Click(list_, IDOK); });
    RunList(script);
    EXPECT_TRUE(host_->alarms.List().empty());
    UniqueRegKey key;
    EXPECT_NE(
        ::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kScratchPath) + "\\Alarms\\1").c_str(), 0, KEY_READ, key.put()),
        ERROR_SUCCESS);
}

TEST_F(AlarmDialogsTest, TestRunsTheAlarmsProgram) {
    const std::string file = TempFolder() + "tavix_alarm_tested.txt";
    ::DeleteFileA(file.c_str());
    AlarmRecord alarm = OneShot("tested", LocalClockTimeNow() + clock_time::kDay);
    alarm.Flags = ALARM_ENABLED;
    alarm.Execute = "cmd /c echo tested> \"" + file + "\"";
    Stored({alarm});
    DialogScript script;
    script.Then(WaitFor(kListCaption, list_))
        .Do([&] {
            SelectRow(list_, IDC_ALARMS_LIST, 0);
            Click(list_, IDC_ALARMS_TEST);
        })
        .Then([&] { return ::GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; })
        .Do([&] { Click(list_, IDOK); });
    RunList(script);
    EXPECT_NE(::GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(file.c_str());
    EXPECT_EQ(Stored(1, "Flags"), ALARM_ENABLED) << "testing changes nothing stored";
}

TEST_F(AlarmDialogsTest, AnEditSurvivesATickThatReloadsTheList) {
    // "ringing" falls due while "edited" is open in the edit dialog; the tick
    // moves it to tomorrow, behind "edited", and refills the list.
    const uint64_t start = LocalClockTimeNow();
    AlarmRecord ringing = OneShot("ringing", start + 10 * clock_time::kMinute);
    ringing.Reoccurence = REPEAT_DAILY;
    AlarmRecord edited = OneShot("edited", start + 20 * clock_time::kMinute);
    edited.Reoccurence = REPEAT_DAILY;
    Stored({ringing, edited, OneShot("bystander", start + clock_time::kDay)});
    ASSERT_EQ(host_->alarms.List()[1].Name, "edited");

    DialogScript script;
    script.Then(WaitFor(kListCaption, list_))
        .Do([&] {
            SelectRow(list_, IDC_ALARMS_LIST, 1);
            Click(list_, IDC_ALARMS_EDIT);
        })
        .Then(WaitFor(kEditCaption, edit_))
        .Do([&] {
            ::SetDlgItemTextA(edit_, IDC_EDIT_NAME, "edited, renamed");
            SetCheck(edit_, IDC_EDIT_SHUTDOWN_CHECK, true);
            const uint64_t due = ringing.DueTime;
            host_->now = due + clock_time::kSecond;
            host_->alarms.Check(due - clock_time::kSecond, host_->now);
            EXPECT_EQ(host_->effects.done, std::vector<std::string>{"notice ringing"});
            EXPECT_EQ(ListCell(list_, IDC_ALARMS_LIST, 0, 0), "edited") << "refilled by the tick";
            EXPECT_EQ(ListCell(list_, IDC_ALARMS_LIST, 2, 0), "ringing");
            Click(edit_, IDOK);
        })
        .Then(WaitGone(edit_))
        .Do([&] { Click(list_, IDOK); });
    RunList(script);
    std::vector<std::string> names;
    for (const AlarmRecord& a : host_->alarms.List())
        names.push_back(a.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"edited, renamed", "bystander", "ringing"}));
    const AlarmRecord& result = host_->alarms.List()[0];
    EXPECT_EQ(result.Flags, ALARM_ENABLED | ALARM_NOTICE | ALARM_SHUTDOWN);
    EXPECT_EQ(result.Reoccurence, REPEAT_DAILY);
    EXPECT_EQ(host_->alarms.List()[2].Flags, ALARM_ENABLED | ALARM_NOTICE) << "the alarm that rang is untouched";
    // Changed where it is stored; the others stay where they were.
    EXPECT_EQ(StoredText(1, "Name"), "ringing");
    EXPECT_EQ(StoredText(2, "Name"), "edited, renamed");
    EXPECT_FALSE(Stored(4, "Flags"));
}

TEST_F(AlarmDialogsTest, PositionIsRememberedAndBroughtBackOnScreen) {
    struct Case {
        const char* what;
        std::optional<int> storedLeft;
        bool dontRepos;
        int expectedLeft;
    } cases[] = {
        {"first opening", std::nullopt, false, 10},
        {"stored position", 200, false, 200},
        {"off screen, brought back", -500, false, 0},
        {"off screen, left there with DontReposWindow", -500, true, -500},
    };
    for (const Case& c : cases) {
        SetUp();
        host_->dontRepos = c.dontRepos;
        if (c.storedLeft)
            host_->store.WriteInt("", "AlarmsLeft", static_cast<uint32_t>(*c.storedLeft));
        RECT shown{};
        DialogScript script;
        script.Then(WaitFor(kListCaption, list_)).Do([&] {
            ::GetWindowRect(list_, &shown);
            Click(list_, IDOK);
        });
        RunList(script);
        EXPECT_EQ(shown.left, c.expectedLeft) << c.what;
        EXPECT_EQ(static_cast<int32_t>(host_->store.GetInt("", "AlarmsLeft", 0)), c.expectedLeft) << c.what;
        EXPECT_EQ(static_cast<int32_t>(host_->store.GetInt("", "AlarmsTop", 0)), 10) << c.what;
        TearDown();
    }
}

TEST_F(AlarmDialogsTest, FiveHundredAlarmsOpenAndScrollAndOddStoredValuesSurvive) {
    std::vector<AlarmRecord> many;
    const uint64_t base = LocalClockTimeNow() + clock_time::kDay;
    for (int i = 0; i < 500; ++i)
        many.push_back(OneShot("alarm " + std::to_string(i), base + static_cast<uint64_t>(i) * clock_time::kMinute));
    AlarmRecord odd = OneShot(std::string(300, 'n'), base + 1000 * clock_time::kMinute);
    odd.Flags = 0xFFFFFFFF;
    odd.Reoccurence = 0x20 | REPEAT_MONDAY;
    odd.SndSecs = 0xFFFFFFFF;
    many.push_back(odd);
    Stored(many);

    DWORD opened = 0;
    int oddRow = -1;
    const DWORD before = ::GetTickCount();
    DialogScript script;
    script.Then(WaitFor(kListCaption, list_))
        .Do([&] {
            opened = ::GetTickCount() - before;
            ASSERT_EQ(ListRows(list_, IDC_ALARMS_LIST), 501);
            HWND rows = ::GetDlgItem(list_, IDC_ALARMS_LIST);
            EXPECT_TRUE(ListView_EnsureVisible(rows, 500, FALSE));
            EXPECT_GT(ListView_GetTopIndex(rows), 0) << "scrolled";
            for (int row = 0; row < 501; ++row) {
                if (ListCell(list_, IDC_ALARMS_LIST, row, 0) == odd.Name)
                    oddRow = row;
            }
            ASSERT_GE(oddRow, 0);
            SelectRow(list_, IDC_ALARMS_LIST, oddRow);
            Click(list_, IDC_ALARMS_EDIT);
        })
        .Then(WaitFor(kEditCaption, edit_))
        .Do([&] {
            EXPECT_EQ(::SendMessageA(::GetDlgItem(edit_, IDC_EDIT_REPEAT), CB_GETCURSEL, 0, 0), CB_ERR);
            EXPECT_EQ(ItemText(edit_, IDC_EDIT_SECONDS), "4294967295");
            EXPECT_EQ(ItemText(edit_, IDC_EDIT_NAME), odd.Name);
            Click(edit_, IDCANCEL);
        })
        .Then(WaitGone(edit_))
        .Do([&] { SetRowChecked(list_, IDC_ALARMS_LIST, oddRow, false); })
        .Do([&] { Click(list_, IDOK); });
    RunList(script);
    // How long it took is for the record, not a pass mark: timings under a
    // loaded machine say nothing about the code.
    ::testing::Test::RecordProperty("FiveHundredRowsOpenedMs", static_cast<int>(opened));
    ASSERT_GE(oddRow, 0);
    // Stored last, and a change leaves every alarm in its key.
    const int key = 501;
    EXPECT_EQ(StoredText(key, "Name"), odd.Name);
    EXPECT_EQ(Stored(key, "Flags"), 0xFFFFFFFEu) << "only the enabled bit changed";
    EXPECT_EQ(Stored(key, "Reoccurence"), 0x20u | REPEAT_MONDAY);
    EXPECT_EQ(Stored(key, "SndSecs"), 0xFFFFFFFFu);
}

TEST_F(AlarmDialogsTest, ARowActsOnItsOwnAlarmAfterAReloadTheDialogWasNotToldOf) {
    // A time change reloads the list without a refill: the rows keep the old
    // order, the list has the new one.
    const uint64_t start = LocalClockTimeNow();
    AlarmRecord first = OneShot("first", start + 10 * clock_time::kMinute);
    first.Reoccurence = REPEAT_DAILY;
    AlarmRecord second = OneShot("second", start + 20 * clock_time::kMinute);
    second.Reoccurence = REPEAT_DAILY;
    Stored({first, second});
    DialogScript script;
    script.Then(WaitFor(kListCaption, list_))
        .Do([&] {
            host_->now = first.DueTime + clock_time::kSecond;
            host_->alarms.Load();
            ASSERT_EQ(host_->alarms.List()[0].Name, "second");
            EXPECT_EQ(ListCell(list_, IDC_ALARMS_LIST, 0, 0), "first");
            SetRowChecked(list_, IDC_ALARMS_LIST, 0, false);
            SelectRow(list_, IDC_ALARMS_LIST, 1);
            Click(list_, IDC_ALARMS_DELETE);
        })
        .Then([&] { return ListRows(list_, IDC_ALARMS_LIST) == 1; })
        .Do([&] { Click(list_, IDOK); });
    RunList(script);
    ASSERT_EQ(host_->alarms.List().size(), 1u);
    EXPECT_EQ(host_->alarms.List()[0].Name, "first");
    EXPECT_EQ(host_->alarms.List()[0].Flags, ALARM_NOTICE);
    EXPECT_EQ(StoredText(1, "Name"), "first");
    EXPECT_EQ(Stored(1, "Flags"), ALARM_NOTICE);
    EXPECT_FALSE(Stored(2, "Flags"));
}
