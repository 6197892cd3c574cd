#pragma once
// The one message loop of the program, run by every modal dialog and property
// sheet in turn (nested while one opens another).

#include <windows.h>

#include <functional>

// Gets and dispatches messages until `ended` says so or `window` is gone.
// `translate` sees each message first and returns true when it consumed it.
// Returns false when a quit request ended the loop; the request is then posted
// again, so that every loop outside ends as well.
bool RunModalLoop(HWND window, const std::function<bool()>& ended, const std::function<bool(MSG*)>& translate);

// Keyboard navigation (Tab, Enter, Escape) for whichever dialog the message is
// aimed at: the modal one, and the modeless ones (alarm notices) that live on
// its loop, which have no loop of their own.
bool TranslateDialogKeys(HWND modal, MSG* message);
