#pragma once
// Every message box of the program with just an OK button goes through here, so
// that tests can see the text instead of blocking on a modal box.

using MessageBoxHook = void (*)(const char* text);

// Null restores the real box.
void SetMessageBoxHook(MessageBoxHook hook);

// MessageBoxA(nullptr, text, "Tavix", MB_OK), or the hook when one is set.
void ShowMessage(const char* text);
