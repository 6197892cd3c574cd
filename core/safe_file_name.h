#pragma once
// Names that Windows opens as a device rather than a file. Opening one for
// reading blocks on the device (a serial port waits for data for ever), so
// every file the clock reads is checked before it is opened.

#include <string>

// True when the last part of path is a DOS device name (CON, PRN, AUX, NUL,
// CONIN$, CONOUT$, COM1..COM9, LPT1..LPT9, the superscript digits included),
// in any letter case and whatever follows it after a "." or ":" or trailing
// spaces ("com1.lng", "NUL .png", "LPT1:"), or when path lies in the device
// namespace ("\\.\", "\\?\" or "\??\", with either slash).
bool NamesDevice(const std::string& path);
