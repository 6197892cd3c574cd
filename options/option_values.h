#pragma once
// The options that the options sheet shows and changes, as one record the
// clock hands out and takes back. The clock keeps its own record of every
// option; this is the part the sheet's pages may touch.

#include <cstdint>
#include <string>

struct OptionValues {
    // Background page.
    std::string BackgrndBitmap;
    int ShowAMPM = 0;
    int ShowDate = 0;
    int UseSecondHand = 0;
    int UseZoom = 0;
    int ZoomValue = 100;
    // Window page.
    uint8_t Alpha = 255;
    uint8_t Alpha2 = 255;
    int UseAlpha2 = 0;
    uint8_t AAMethod = 0;
    int Priority = 2;
    std::string LangFile;
    int OnTop = 0;
    int PinToDesktop = 0;
    int ClickThrough = 0;
    int UnmovableWin = 0;
    int LimitWinPos = 0;
    int HideFromAltTab = 0;
    int TimeInSysTray = 0;
    int DontReposWindow = 0;
    int MultipleInstances = 0;
};
