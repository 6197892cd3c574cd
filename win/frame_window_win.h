#pragma once
// CFrameWnd: a plain overlapped window. The clock uses one, never shown, as the
// owner of its window, which keeps the clock out of the taskbar.

#include <windows.h>

#include "win/unique_handle.h"

class CFrameWnd {
public:
    bool Create(HINSTANCE instance, DWORD style);
    HWND Handle() const { return window_.get(); }
    void Destroy() { window_.reset(); }

private:
    UniqueWindow window_;
};
