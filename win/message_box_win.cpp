#include "win/message_box_win.h"

#include <windows.h>

namespace {

// One user-interface thread: no lock needed.
MessageBoxHook currentHook = nullptr;

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
    currentHook = hook;
}

void ShowMessage(const char* text) {
    if (currentHook) {
        currentHook(text);
        return;
    }
    MessageBoxA(nullptr, text, "Tavix", MB_OK);
}

void ShowMessageBox(HWND owner, const char* text, const char* caption, UINT icon) {
    if (currentHook) {
        currentHook(text);
        return;
    }
    MessageBoxA(owner, text, caption, MB_OK | icon);
}
