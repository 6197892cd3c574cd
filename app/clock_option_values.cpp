#include "app/clock_option_values.h"

OptionValues OptionValuesOf(const ClockSettings& s) {
    OptionValues v;
    v.BackgrndBitmap = s.BackgrndBitmap;
    v.ShowAMPM = s.ShowAMPM;
    v.ShowDate = s.ShowDate;
    v.UseSecondHand = s.UseSecondHand;
    v.UseZoom = s.UseZoom;
    v.ZoomValue = s.ZoomValue;
    v.Alpha = s.Alpha;
    v.Alpha2 = s.Alpha2;
    v.UseAlpha2 = s.UseAlpha2;
    v.AAMethod = s.AAMethod;
    v.Priority = s.Priority;
    v.LangFile = s.LangFile;
    v.OnTop = s.OnTop;
    v.PinToDesktop = s.PinToDesktop;
    v.ClickThrough = s.ClickThrough;
    v.UnmovableWin = s.UnmovableWin;
    v.LimitWinPos = s.LimitWinPos;
    v.HideFromAltTab = s.HideFromAltTab;
    v.TimeInSysTray = s.TimeInSysTray;
    v.DontReposWindow = s.DontReposWindow;
    v.MultipleInstances = s.MultipleInstances;
    return v;
}

void TakeOptionValues(const OptionValues& v, ClockSettings& s) {
    s.BackgrndBitmap = v.BackgrndBitmap;
    s.ShowAMPM = static_cast<uint8_t>(v.ShowAMPM);
    s.ShowDate = static_cast<uint8_t>(v.ShowDate);
    s.UseSecondHand = v.UseSecondHand;
    s.UseZoom = v.UseZoom;
    s.ZoomValue = v.ZoomValue;
    s.Alpha = v.Alpha;
    s.Alpha2 = v.Alpha2;
    s.UseAlpha2 = v.UseAlpha2;
    s.AAMethod = v.AAMethod;
    s.Priority = v.Priority;
    s.LangFile = v.LangFile;
    s.OnTop = v.OnTop;
    s.PinToDesktop = v.PinToDesktop;
    s.ClickThrough = v.ClickThrough;
    s.UnmovableWin = v.UnmovableWin;
    s.LimitWinPos = v.LimitWinPos;
    s.HideFromAltTab = v.HideFromAltTab;
    s.TimeInSysTray = v.TimeInSysTray;
    s.DontReposWindow = v.DontReposWindow;
    s.MultipleInstances = v.MultipleInstances;
}
