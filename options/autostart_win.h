#pragma once
// Start with Windows: the value "Tavix" in the Run key of the current user or
// of the machine, and the helpers the window page reports its outcome with.

#include <windows.h>

#include <string>

// Where the autostart values live; the tests point it at a scratch key.
struct AutostartKeys {
    HKEY machineRoot = HKEY_LOCAL_MACHINE;
    HKEY userRoot = HKEY_CURRENT_USER;
    std::string path;  // the Run key below either root
};
AutostartKeys DefaultAutostartKeys();

// True when the value "Tavix" can be read, however long it is.
bool AutostartPresent(HKEY root, const std::string& keyPath);

// The full path of the running program, however long it is; empty when the
// system cannot say.
std::string ModuleFileName();

// The system's text for `code` (0: the calling thread's last error) in a
// message box; "Error <code>" when the system has none.
void ShowSystemError(DWORD code);

// Starts reg.exe elevated with `parameters` and does not wait for it. On
// failure (the user declined, for one) tells the user and returns false.
bool RunElevatedReg(HWND owner, const std::string& parameters);

// Writes or deletes the value under machineRoot. Where the machine's key may
// not be written and the platform can ask for consent, reg.exe does it
// elevated; a program path too long for reg.exe's line is refused with a
// message. Every failure is shown to the user.
void SetAutostartForAllUsers(const AutostartKeys& keys, bool enable, bool isVistaOrLater, HWND owner);
// The same under userRoot, without elevation.
void SetAutostartForThisUser(const AutostartKeys& keys, bool enable);
