#include "alarms/alarm_locale_win.h"

namespace {

// The platform's formats take at most 80 characters here; a time they cannot
// format (a year beyond their calendar) shows as an empty cell.
std::string TimeText(const clock_time::CivilTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    char text[80] = {};
    return ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, sizeof text) > 0 ? text : "";
}

std::string ShortDateText(const clock_time::CivilTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    char text[80] = {};
    return ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text) > 0 ? text : "";
}

}  // namespace

SYSTEMTIME ToSystemTime(const clock_time::CivilTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return st;
}

clock_time::CivilTime FromSystemTime(const SYSTEMTIME& st) {
    clock_time::CivilTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.dayOfWeek = st.wDayOfWeek;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.millisecond = st.wMilliseconds;
    return t;
}

clock_time::CivilTime LocalCivilTimeNow() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return FromSystemTime(now);
}

std::array<std::string, 7> UserDayNames() {
    std::array<std::string, 7> names;
    for (int i = 0; i < 7; ++i) {
        char name[80] = {};
        // LOCALE_SDAYNAME1 is Monday.
        if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1 + i, name, sizeof name) > 0)
            names[static_cast<size_t>(i)] = name;
    }
    return names;
}

AlarmRowLocale UserAlarmRowLocale() {
    AlarmRowLocale locale;
    locale.timeOfDay = &TimeText;
    locale.shortDate = &ShortDateText;
    locale.dayNames = UserDayNames();
    return locale;
}
