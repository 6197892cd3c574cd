#pragma once
// The application object the Win32 tests run under: the dialogs and the clock
// window find their module and registry key through it.

#include "win/app_base_win.h"

class TestApp : public CWinApp {
public:
    BOOL InitInstance() override {
        SetRegistryKey("Quandel");
        return FALSE;
    }
};

// Makes sure the one TestApp exists and has run; safe to call from any test.
TestApp& TheTestApp();
