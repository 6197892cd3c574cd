#include "alarms/alarm_columns_win.h"

#include <commctrl.h>

#include <algorithm>

#include "alarms/alarm_locale_win.h"
#include "win/monitor_dpi_win.h"

namespace {

// What the list view puts around a cell's text, at 96 DPI.
constexpr int kCellPadding = 16;

int TextWidth(HWND list, const std::string& text) {
    return static_cast<int>(::SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

}  // namespace

int AlarmColumnWidth(HWND list, int index, int widthAt96, const std::string& header) {
    const int dpi = WindowDpi(list);
    int width = ::MulDiv(widthAt96, dpi, 96);
    if (index != 1)
        return width;
    const int padding = ::MulDiv(kCellPadding, dpi, 96);
    width = std::max(width, TextWidth(list, header) + padding);
    // Hours with two digits and both halves of the day; minutes and seconds of the widest digits.
    const AlarmRowLocale locale = UserAlarmRowLocale();
    for (int hour : {0, 10, 12, 20, 22, 23}) {
        clock_time::CivilTime t;
        t.year = 2024;
        t.hour = hour;
        t.minute = 58;
        t.second = 58;
        width = std::max(width, TextWidth(list, locale.timeOfDay(t)) + padding);
    }
    return width;
}
