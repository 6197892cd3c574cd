#pragma once
// Typed lookup of an optional platform entry point; null when it is missing.

#include <windows.h>

template <typename Function>
Function LookupProc(HMODULE module, const char* name) {
    if (!module)
        return nullptr;
    // Through void* because FARPROC's own type says nothing of the real signature.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}
