#include "alarms/winmm_use_win.h"

#include "win/proc_address_win.h"

namespace {

using MciSendStringFn = DWORD(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);

int g_useCount = 0;
UniqueModule g_library;
MciCommandSink* g_testSink = nullptr;

MciSendStringFn CommandEntry(HMODULE module) {
    return LookupProc<MciSendStringFn>(module, "mciSendStringA");
}

}  // namespace

WinmmUse::WinmmUse() {
    if (g_useCount == 0) {
        g_library.reset(::LoadLibraryA("winmm.dll"));
        module_ = g_library.get();
    } else {
        module_ = ::GetModuleHandleA("winmm.dll");
        if (!module_) {
            ownReference_.reset(::LoadLibraryA("winmm.dll"));
            module_ = ownReference_.get();
        }
    }
    if (module_)
        ++g_useCount;
}

WinmmUse::~WinmmUse() {
    if (!module_)
        return;
    if (--g_useCount == 0)
        g_library.reset();
}

bool WinmmUse::HasCommandEntry() const {
    return CommandEntry(module_) != nullptr;
}

void WinmmUse::Send(const std::string& command) const {
    if (g_testSink) {
        g_testSink->Send(command);
        return;
    }
    if (MciSendStringFn send = CommandEntry(module_))
        send(command.c_str(), nullptr, 0, nullptr);
}

std::string ShortPathOf(const std::string& path) {
    // Asked for the size first: a short form can be longer than the long one
    // ("a.b.c" becomes "ABC~1.C"), so a buffer of the long length may not do.
    const DWORD needed = ::GetShortPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0)
        return path;
    std::string shortPath(needed, '\0');
    const DWORD length = ::GetShortPathNameA(path.c_str(), &shortPath[0], needed);
    if (length == 0 || length >= needed)
        return path;
    shortPath.resize(length);
    return shortPath;
}

void SetMciCommandSinkForTesting(MciCommandSink* sink) {
    g_testSink = sink;
}

int WinmmUseCount() {
    return g_useCount;
}
