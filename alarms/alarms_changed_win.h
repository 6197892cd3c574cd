#pragma once
// The message by which a clock that stored the alarms tells the other running
// clocks to reload them. Posted to every top-level window; wParam is the
// sender's process id, so the sender can ignore its own.

#include <windows.h>

// The registered message, 0 if the system refused to register it.
UINT AlarmsChangedMessage();
void TellClocksAlarmsChanged();
// Whether `message` with `wParam` is another clock's notice.
bool IsOtherClocksAlarmsChange(UINT message, WPARAM wParam);
