// The window as the options want it: placement from the stored position,
// extended styles, z-order and the process priority. Each applier sets what an
// option asks for and clears what it no longer asks for.
#include "app/clock_window_win.h"
#include "app/priority.h"
#include "app/window_placement.h"
#include "app/window_styles.h"

namespace {

HWND InsertAfterFor(ZOrder order) {
    switch (order) {
        case ZOrder::Topmost:
            return HWND_TOPMOST;
        case ZOrder::Bottom:
            return HWND_BOTTOM;
        case ZOrder::Top:
            break;
    }
    return HWND_NOTOPMOST;
}

}  // namespace

void CTavixDlg::PlaceWindow() {
    const int width = preset_ ? preset_->WindowWidth() : 0;
    const int height = preset_ ? preset_->WindowHeight() : 0;
    const WindowPlacement place = ComputePlacement(*store_, settings_, screenWidth_, screenHeight_, width, height);
    ::SetWindowPos(Handle(), InsertAfterFor(place.zOrder), place.x, place.y, 0, 0, SWP_NOSIZE);
}

void CTavixDlg::ApplyZOrder() {
    ::SetWindowPos(Handle(), InsertAfterFor(ZOrderFor(settings_)), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTavixDlg::ApplyWindowStyles() {
    const LONG_PTR current = ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    const uint32_t wanted = ExtendedStyleFor(static_cast<uint32_t>(current), settings_, layeredSupported_);
    if (static_cast<uint32_t>(current) != wanted)
        ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, LONG_PTR(wanted));
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
