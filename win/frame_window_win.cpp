#include "win/frame_window_win.h"

namespace {
constexpr const char* kClassName = "TavixFrameWindow";
}

bool CFrameWnd::Create(HINSTANCE instance, DWORD style) {
    WNDCLASSA windowClass = {};
    if (!::GetClassInfoA(instance, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        if (!::RegisterClassA(&windowClass))
            return false;
    }
    window_.reset(::CreateWindowExA(0, kClassName, "", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, nullptr, nullptr, instance, nullptr));
    return static_cast<bool>(window_);
}
