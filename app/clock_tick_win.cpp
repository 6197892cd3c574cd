// The one-second tick: read the shown time, compose a frame when one is due,
// refresh the tray tooltip once a minute and let the alarms fall due.
#include "alarms/clock_alarms_win.h"
#include "app/clock_window_win.h"
#include "app/platform_entry_points_win.h"
#include "app/system_clock_win.h"
#include "app/tick_schedule.h"
#include "app/tray_icon_win.h"
#include "render/preset_settings.h"
#include "res/resource.h"

SYSTEMTIME CTavixDlg::ReadShownTime() const {
    SYSTEMTIME shown;
    if (IsNT && !Settings.DefaultTimeZone.empty() && TheSystemTimeToTzSpecificLocalTime) {
        SYSTEMTIME utc;
        ::GetSystemTime(&utc);
        if (TheSystemTimeToTzSpecificLocalTime(&ZoneInfo, &utc, &shown)) return shown;
    }
    ::GetLocalTime(&shown);
    return shown;
}

void CTavixDlg::OnTimer(UINT_PTR id) {
    const SYSTEMTIME shown = ReadShownTime();
    if (id == IDT_CLOCK_TIMER) {
        const uint64_t prev = LastTickTime;
        LastTickTime = ClockTimeOf(shown);
        const bool secondHandVisible = Settings.UseSecondHand != 0 && ThePresetSettings().HasSecondHand;
        if (ShouldComposeFrame(secondHandVisible, LastTickTime, NextRedrawTime))
            ComposeFrame(shown.wHour, shown.wMinute, shown.wSecond);
        if (Settings.TimeInSysTray != 0 && ShouldRefreshTooltip(TooltipRefreshPending != 0, prev, LastTickTime)) {
            TooltipRefreshPending = 0;
            RefreshTrayTip(shown);
        }
        alarms_->Check(prev, LastTickTime);
    }
}

void CTavixDlg::RefreshTrayTip(const SYSTEMTIME& shown) {
    char date[128] = {};
    char time[128] = {};
    char day[128] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &shown, nullptr, date, sizeof(date));
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &shown, nullptr, time, sizeof(time));
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1 + DayNameIndex(shown.wDayOfWeek), day, sizeof(day));
    tray_icon::SetTip(Handle(), ComposeTrayTip(date, time, day));
}
