#include "render/month_cal_layout.h"

MonthCalLayout LayOutMonthCalendar(const std::optional<CalendarRect>& minimum) {
    MonthCalLayout layout;
    const CalendarRect r = minimum.value_or(CalendarRect{0, 0, 0, 0});
    if (minimum)
        layout.dialogSize = CalendarRect{0, 0, r.right + 7, r.bottom + 56};
    // Integer division truncates toward zero, as the layout has always done.
    const int left = (r.right - r.left) / 2 - 30;
    const int top = r.bottom + 7;
    layout.okButton = {left, top, left + 65, top + 24};
    return layout;
}
