#pragma once
// The calendar dialog's size and the place of its OK button, from the month
// calendar control's minimum rectangle.

#include <optional>

struct CalendarRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct MonthCalLayout {
    // Absent when the control gave no minimum rectangle: the dialog keeps the
    // size of its template.
    std::optional<CalendarRect> dialogSize;  // left and top are 0
    CalendarRect okButton;
};

// The button is 65 x 24 pixels, 7 pixels below the calendar, its left edge 30
// pixels left of the calendar's middle; the dialog leaves 7 pixels right of the
// calendar and 56 below it for the button and the caption. Without a
// rectangle the button is placed from an all-zero one.
MonthCalLayout LayOutMonthCalendar(const std::optional<CalendarRect>& minimum);
