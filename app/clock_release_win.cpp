// Destruction of the clock window: settings written back, then every object
// released in an order that never leaves a frame pointing at a freed bitmap.
#include "alarms/alarm_tick_win.h"
#include "alarms/clock_alarms_win.h"
#include "app/clock_window_win.h"
#include "app/tray_icon_win.h"
#include "core/language_table.h"
#include "render/smooth_shrink_win.h"
#include "res/resource.h"

void CTavixDlg::OnDestroy() {
    ::KillTimer(Handle(), IDT_CLOCK_TIMER);
    ::KillTimer(Handle(), IDT_HOVER_TIMER);
    const LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, style | WS_EX_APPWINDOW);
    SaveSettings(*store_, settings_);
    alarmTick_->Stop(*store_);
    ReleaseEverything();
}

void CTavixDlg::ReleaseEverything() {
    // The preset before the cache: its frame may be the cache's bitmap.
    pendingPreset_.reset();
    preset_.reset();
    FreeReductionCache();
    alphaBlend_.Use(false);
    dialogBrush_.reset();
    instanceSlot_.Release();
    alarms_->Clear();
    // Whatever the add reported: a busy shell may time out on it and add the
    // icon all the same, which would then stay in the tray after we are gone.
    tray_icon::Remove(Handle());
    FreeLanguageTable();
}
