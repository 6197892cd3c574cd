#pragma once
// The notice window of an alarm that fell due: a top-most window naming the
// alarm, showing its text and playing its sound until the user closes it or
// snoozes it.

#include <windows.h>

#include "alarms/alarm_record.h"
#include "alarms/alarm_sound_win.h"
#include "win/dialog_win.h"

class CShowAlarmDlg : public CDialog {
public:
    // Copies the alarm, starts its sound and opens the window, modeless and
    // without a parent; the window owns the object. The handle, or null when
    // the window could not be created (the sound is stopped again then).
    static HWND Open(const AlarmRecord& alarm);
    // Opens the notice of every snoozed alarm that is due (alarm_snooze.h).
    static void RingSnoozed();

protected:
    BOOL OnInitDialog() override;
    // Snooze: the window closes, its sound stops, and the alarm rings again
    // after the snooze.
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    void PostNcDestroy() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    explicit CShowAlarmDlg(const AlarmRecord& alarm);
    void Paint();

    // A copy, so later changes to the list do not reach the window.
    AlarmRecord alarm_;
    NoticeSound sound_;
    bool ownsItself_ = false;
};
