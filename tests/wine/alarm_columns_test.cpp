// The alarms list's time column holds the locale's times uncut.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include "alarms/alarm_columns_win.h"
#include "alarms/alarm_locale_win.h"
#include "tests/wine/test_app_win.h"

namespace {

TEST(AlarmColumns, TimeColumnFitsTheLongestTimeOfDay) {
    TheTestApp();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    const AlarmRowLocale locale = UserAlarmRowLocale();
    const int width = AlarmColumnWidth(list, 1, 60, "Time");
    // The times the list shows, the one a fixed 60 pixels cut among them.
    for (int hour : {3, 12, 15, 23}) {
        clock_time::CivilTime t;
        t.year = 2024;
        t.hour = hour;
        t.minute = 13;
        t.second = 8;
        const std::string text = locale.timeOfDay(t);
        const int textWidth =
            static_cast<int>(::SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
        EXPECT_GE(width, textWidth + 12) << text;
    }
    // The other columns keep their widths at 96 DPI (the test prefix's).
    EXPECT_EQ(AlarmColumnWidth(list, 0, 158, "Name"), 158);
    ::DestroyWindow(list);
}

}  // namespace
