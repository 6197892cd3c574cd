#pragma once
// Every message box of the program with just an OK button goes through here, so
// that tests can see the text instead of blocking on a modal box.

#include <windows.h>

using MessageBoxHook = void (*)(const char* text);

// Null restores the real box.
void SetMessageBoxHook(MessageBoxHook hook);

// MessageBoxA(nullptr, text, "Tavix", MB_OK), or the hook when one is set.
void ShowMessage(const char* text);

// A box with OK and the given owner, caption and icon (an MB_ICON* value),
// through the same hook.
void ShowMessageBox(HWND owner, const char* text, const char* caption, UINT icon);
