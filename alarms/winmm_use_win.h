#pragma once
// The multimedia library as shared by direct playback and every notice
// window: one process-wide use count; the user that brings it back to 0 frees
// the library.

#include <windows.h>

#include <string>

#include "alarms/mci_commands.h"
#include "win/unique_handle.h"

class WinmmUse {
public:
    // Obtains the library and raises the count; Held() is false when the
    // library cannot be had (then nothing is counted).
    WinmmUse();
    ~WinmmUse();
    WinmmUse(const WinmmUse&) = delete;
    WinmmUse& operator=(const WinmmUse&) = delete;

    bool Held() const { return module_ != nullptr; }
    // Looks the command entry up afresh, as its presence decides how to play.
    bool HasCommandEntry() const;
    // No reply buffer, no notification window; the reply is not examined.
    void Send(const std::string& command) const;

private:
    HMODULE module_ = nullptr;
    // Only when a later user had to load the library again: its own reference.
    UniqueModule ownReference_;
};

// The short form of a path, or the path itself when it has none (a volume
// without short names, or a file that does not exist).
std::string ShortPathOf(const std::string& path);

// Tests route the commands here instead of to the library; null restores it.
void SetMciCommandSinkForTesting(MciCommandSink* sink);
int WinmmUseCount();
