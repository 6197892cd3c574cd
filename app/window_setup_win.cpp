// Placement from the stored position, and the process priority.
#include "app/clock_window_win.h"
#include "app/priority.h"
#include "app/window_placement.h"

void CTavixDlg::PlaceWindow() {
    const WindowPlacement place =
        ComputePlacement(*store_, Settings, ScreenWidth, ScreenHeight, WindowWidth, WindowHeight);
    HWND after = HWND_NOTOPMOST;
    if (place.zOrder == ZOrder::Topmost)
        after = HWND_TOPMOST;
    else if (place.zOrder == ZOrder::Bottom)
        after = HWND_BOTTOM;
    ::SetWindowPos(Handle(), after, place.x, place.y, 0, 0, SWP_NOSIZE);
}

void CTavixDlg::ApplyPriority(int priority) {
    const PriorityChoice choice = PriorityFor(priority);
    switch (choice.processClass) {
        case ProcessClass::Idle:
            ::SetPriorityClass(::GetCurrentProcess(), IDLE_PRIORITY_CLASS);
            break;
        case ProcessClass::Normal:
            ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
            break;
        case ProcessClass::High:
            ::SetPriorityClass(::GetCurrentProcess(), HIGH_PRIORITY_CLASS);
            break;
        case ProcessClass::Unchanged:
            break;
    }
    ::SetThreadPriority(::GetCurrentThread(), choice.threadPriority);
}
