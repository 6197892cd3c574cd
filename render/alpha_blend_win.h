#pragma once
// AlphaBlend of msimg32.dll, looked up at run time once an image hand has
// loaded. While it is null, image hands draw nothing.

#include <windows.h>

#include "win/unique_handle.h"

using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

AlphaBlendFn TheAlphaBlend();
void SetAlphaBlend(AlphaBlendFn function);

// The library held while a preset with image hands is in use.
class AlphaBlendLibrary {
public:
    ~AlphaBlendLibrary() { Use(false); }
    // Loads the library and publishes AlphaBlend when needed and not yet
    // loaded; releases both when no longer needed.
    void Use(bool needed);
    bool Loaded() const { return static_cast<bool>(module_); }

private:
    UniqueModule module_;
};
