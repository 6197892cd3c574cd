#pragma once
// A clock window that skips its start-up sequence, so that a test sets it up itself.

#include "app/clock_window_win.h"

class BareClock : public CTavixDlg {
public:
    BareClock() : CTavixDlg(nullptr) {}
    using CTavixDlg::MutablePlugins;
    using CTavixDlg::MutableSettings;

protected:
    bool OnCreate() override { return true; }
    void OnDestroy() override {}
};
