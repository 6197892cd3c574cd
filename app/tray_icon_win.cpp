#include "app/tray_icon_win.h"

#include <shellapi.h>

#include <cstring>

#include "win/unique_handle.h"

namespace tray_icon {
namespace {

NOTIFYICONDATAA MakeData(HWND window) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kId;
    return data;
}

void CopyTip(NOTIFYICONDATAA& data, const std::string& tip) {
    const size_t n = std::min(tip.size(), sizeof(data.szTip) - 1);
    std::memcpy(data.szTip, tip.data(), n);
    data.szTip[n] = '\0';
}

}  // namespace

bool Add(HWND window, HINSTANCE instance, const char* tip) {
    UniqueIcon icon(
        static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(kId), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                        ::GetSystemMetrics(SM_CYSMICON), 0)));
    if (!icon)
        return false;
    NOTIFYICONDATAA data = MakeData(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon.get();
    CopyTip(data, tip);
    // The shell keeps its own copy of the icon.
    return ::Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void SetTip(HWND window, const std::string& tip) {
    NOTIFYICONDATAA data = MakeData(window);
    data.uFlags = NIF_TIP;
    CopyTip(data, tip);
    ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

void Remove(HWND window) {
    NOTIFYICONDATAA data = MakeData(window);
    ::Shell_NotifyIconA(NIM_DELETE, &data);
}

}  // namespace tray_icon
