#pragma once
// CMonthCalDlg: a month calendar with today marked and an OK button, owned by
// the clock. The date chosen in it is not used.

#include <windows.h>

#include "win/dialog_win.h"

class CMonthCalDlg : public CDialog {
public:
    explicit CMonthCalDlg(HWND owner);

protected:
    BOOL OnInitDialog() override;

private:
    HWND calendar_ = nullptr;  // child controls: the dialog destroys them
    HWND okButton_ = nullptr;
};
