// Destruction of the clock window: settings written back, then every object
// released in an order that never leaves a frame pointing at a freed bitmap.
#include "alarms/clock_alarms_win.h"
#include "app/clock_window_win.h"
#include "app/language_table.h"
#include "app/tray_icon_win.h"
#include "render/alpha_blend_win.h"
#include "render/smooth_shrink_win.h"
#include "res/resource.h"

void CTavixDlg::OnDestroy() {
    ::KillTimer(Handle(), IDT_CLOCK_TIMER);
    ::KillTimer(Handle(), IDT_HOVER_TIMER);
    const LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, style | WS_EX_APPWINDOW);
    SaveSettings(*store_, Settings);
    ReleaseEverything();
}

void CTavixDlg::ReleaseEverything() {
    WorkBitmap.reset();
    if (AlphaBlendLoaded) {
        SetAlphaBlend(nullptr);
        AlphaBlendModule.reset();
        AlphaBlendLoaded = 0;
    }
    DialogBrush.reset();
    ReleaseFrameBitmap();
    FreeReductionCache();
    BackgroundBitmap.reset();
    HourHand.reset();
    MinuteHand.reset();
    SecondHand.reset();
    InstanceMutex.reset();
    alarms_->Clear();
    if (trayIconAdded_) tray_icon::Remove(Handle());
    trayIconAdded_ = false;
    FreeLanguageTable();
    AlphaPlane.clear();
    AlphaPlane.shrink_to_fit();
    AlphaDib.reset();
    AlphaDibBits = nullptr;
}
