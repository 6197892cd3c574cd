#pragma once
// AlphaBlend of msimg32.dll, looked up at run time by the preset loader once an
// image hand has loaded. While it is null, image hands draw nothing.

#include <windows.h>

using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

AlphaBlendFn TheAlphaBlend();
void SetAlphaBlend(AlphaBlendFn function);
