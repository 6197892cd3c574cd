#pragma once
// What the alarm edit dialog holds, and the checks and the record built from
// it when the user confirms. The dialog (alarm_edit_dlg_win.cpp) only moves
// these values between its controls and this struct.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "alarms/alarm_record.h"
#include "core/clock_time.h"
#include "core/language_table.h"

// Items of the repeat-kind list, in list order.
enum class RepeatItem : int { None = -1, Once = 0, Daily, Weekly, Monthly, Yearly, Minutes };

constexpr size_t kMaxNameLength = 255;
constexpr size_t kMaxDescriptionLength = 8192;
constexpr size_t kMaxPathLength = 255;
constexpr int kMinMinutes = 1;
constexpr int kMaxMinutes = 1440;
constexpr int kDefaultMinutes = 15;

// The fields whose text is checked before anything else; also tells the
// dialog which control gets the focus after a refusal.
enum class EditField { None, Program, Description, Name, SoundPath, Minutes, SoundSeconds };

struct AlarmEditValues {
    std::string name;
    RepeatItem kind = RepeatItem::Once;
    // Texts of the minutes and sound-seconds boxes as typed.
    std::string minutes = std::to_string(kDefaultMinutes);
    std::string soundSeconds = "0";
    clock_time::CivilTime timeOfDay;
    clock_time::CivilTime date;
    uint8_t weekdays = 0;  // bit 0 Monday .. bit 6 Sunday
    bool showNotice = true;
    std::string description;
    bool playSound = false;
    std::string soundPath;
    bool loop = false;
    bool runProgram = false;
    std::string program;
    bool shutDown = false;
};

// The dialog's values for an existing alarm, or the defaults of a new one
// named `newName` at `localNow`.
AlarmEditValues ValuesOfAlarm(const AlarmRecord& alarm);
AlarmEditValues ValuesOfNewAlarm(const std::string& newName, const clock_time::CivilTime& localNow);

// The combo item for a stored Reoccurence: the first kind bit it has, None
// when it has none.
RepeatItem RepeatItemOf(uint32_t reoccurence);

// A refusal: the message to show and the field to focus. `languageText` is a
// language string number (shown with caption 72), or 0 when `text` is a fixed
// message of the field checks.
struct EditRefusal {
    EditField field = EditField::None;
    int languageText = 0;
    std::string text;
};

// Checks the texts of the boxes (lengths, the two numbers) in the order the
// dialog reads them. Every read of the controls runs this, whatever is shown.
std::optional<EditRefusal> CheckFieldTexts(const AlarmEditValues& values);

// Builds the confirmed record from `original` (its Flags bits other than
// ALARM_NOTICE and ALARM_SHUTDOWN are kept) or refuses with the first failed
// check. `localNow` is the system's local date and time.
std::variant<AlarmRecord, EditRefusal> BuildAlarm(const AlarmEditValues& values,
                                                  const AlarmRecord& original,
                                                  const clock_time::CivilTime& localNow);

// Text of a refusal for the message box.
std::string RefusalText(const EditRefusal& refusal, const LanguageTable& texts);
