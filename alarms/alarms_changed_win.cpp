#include "alarms/alarms_changed_win.h"

UINT AlarmsChangedMessage() {
    static const UINT message = ::RegisterWindowMessageA("TavixAlarmsChanged");
    return message;
}

void TellClocksAlarmsChanged() {
    if (const UINT message = AlarmsChangedMessage())
        ::PostMessageA(HWND_BROADCAST, message, ::GetCurrentProcessId(), 0);
}

bool IsOtherClocksAlarmsChange(UINT message, WPARAM wParam) {
    return message != 0 && message == AlarmsChangedMessage() && wParam != ::GetCurrentProcessId();
}
