#include "alarms/missed_notice_win.h"

#include <windows.h>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "win/message_box_win.h"

namespace {

std::string DateAndTime(uint64_t clockTime) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(clockTime);
    ft.dwHighDateTime = static_cast<DWORD>(clockTime >> 32);
    SYSTEMTIME t;
    if (!::FileTimeToSystemTime(&ft, &t))
        return "?";
    char date[128] = {};
    char time[128] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof date);
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &t, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

}  // namespace

std::string MissedNoticeText(const std::vector<MissedAlarm>& missed) {
    std::string text = TheLanguageTable().Text(lang::kMissedAlarmsHeading);
    text += "\r\n";
    for (const MissedAlarm& m : missed)
        text += "\r\n" + DateAndTime(m.DueTime) + "   " + m.Name;
    return text;
}

void ShowMissedNotice(const std::vector<MissedAlarm>& missed) {
    if (missed.empty())
        return;
    const std::string text = MissedNoticeText(missed);
    ShowMessageBox(nullptr, text.c_str(), "Tavix", MB_ICONINFORMATION | MB_TOPMOST | MB_SETFOREGROUND);
}
