// The one-second tick: read the shown time, compose a frame when one is due,
// refresh the tray tooltip once a minute and, in the clock that rings them,
// let the alarms fall due.
#include "alarms/alarm_tick_win.h"
#include "alarms/clock_alarms_win.h"
#include "app/clock_window_win.h"
#include "app/tick_schedule.h"
#include "app/tray_icon_win.h"
#include "res/resource.h"
#include "win/system_clock_win.h"

void CTavixDlg::OnTimer(UINT_PTR id) {
    if (id == IDT_HOVER_TIMER)
        OnHoverTimer();
    if (id != IDT_CLOCK_TIMER)
        return;
    const SYSTEMTIME shown = shownTime_.Now();
    const uint64_t prev = lastTickTime_;
    lastTickTime_ = ClockTimeOf(shown);
    const bool secondHandVisible = settings_.UseSecondHand != 0 && preset_ && preset_->HasSecondHand();
    if (ShouldComposeFrame(secondHandVisible, lastTickTime_, nextRedrawTime_))
        ComposeFrame(shown.wHour, shown.wMinute, shown.wSecond);
    if (settings_.TimeInSysTray != 0 && ShouldRefreshTooltip(tooltipRefreshPending_, prev, lastTickTime_)) {
        tooltipRefreshPending_ = false;
        RefreshTrayTip(shown);
    }
    // One clock rings, by the time it shows; the others only follow the list.
    const bool rang = ringsAlarms_;
    ringsAlarms_ = instanceSlot_.RingsAlarms();
    if (!ringsAlarms_)
        return;
    // Taking over from a clock that ended: what fell due since it was last
    // seen is told, and the wake timer is this clock's from now on.
    if (!rang)
        alarmTick_->Start(*alarms_, *store_, lastTickTime_, prev);
    alarmTick_->Tick(*alarms_, prev, lastTickTime_);
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
