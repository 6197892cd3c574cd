#pragma once
// The notification-area icon of the clock window.

#include <windows.h>

#include <string>

namespace tray_icon {
constexpr UINT kId = 31234;
constexpr UINT kCallbackMessage = WM_USER;

// False when the icon resource cannot be loaded or the shell refuses it.
bool Add(HWND window, HINSTANCE instance, const char* tip);
void SetTip(HWND window, const std::string& tip);
void Remove(HWND window);
}  // namespace tray_icon
