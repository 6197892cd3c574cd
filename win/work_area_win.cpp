#include "win/work_area_win.h"

namespace {

// The new start of a span [start, start + size) pushed into [low, high);
// the low edge wins when the span is longer than the room.
LONG FitSpan(LONG start, LONG size, LONG low, LONG high) {
    if (start + size > high)
        start = high - size;
    if (start < low)
        start = low;
    return start;
}

}  // namespace

void MoveIntoWorkArea(HWND window) {
    if (!::IsWindow(window) || (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        return;
    RECT frame;
    if (!::GetWindowRect(window, &frame))
        return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const LONG left = FitSpan(frame.left, frame.right - frame.left, work.left, work.right);
    const LONG top = FitSpan(frame.top, frame.bottom - frame.top, work.top, work.bottom);
    if (left == frame.left && top == frame.top)
        return;
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
