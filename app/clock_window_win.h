#pragma once
// CTavixDlg: the clock window. It owns the options, the preset's bitmaps and
// hands, the alarms, the tray icon and the instance mutex; dialogs reach it
// through TheClockWindow.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/clock_settings.h"
#include "app/settings_store.h"
#include "render/hand_win.h"
#include "win/dialog_win.h"
#include "win/unique_handle.h"

class ClockAlarms;

class CTavixDlg : public CDialog {
public:
    explicit CTavixDlg(HWND owner);
    ~CTavixDlg() override;

    // Frame composition and preset loading (render/).
    void ComposeFrame(uint16_t hour, uint16_t minute, uint16_t second);
    bool LoadPreset(const std::string& path);

    void PlaceWindow();
    void ApplyPriority(int priority);
    SettingsStore& Store() { return *store_; }

    // The bitmap that holds the finished frame: our own, or the reduction cache's.
    HBITMAP FrameBitmap() const { return frameBitmap_; }

    std::string AppFolder;
    std::string PresetPath;
    int IsNT = 0;
    int LayeredSupported = 0;
    int AlphaBlendLoaded = 0;
    int IsVistaOrLater = 0;
    int TooltipRefreshPending = 1;
    ClockSettings Settings;
    uint64_t NextRedrawTime = 0;
    uint8_t CurrentAlpha = 255;
    UniqueBitmap AlphaDib;
    void* AlphaDibBits = nullptr;
    BITMAPINFO AlphaDibHeader = {};
    HICON AppIcon = nullptr;  // shared resource icon: the system releases it
    UINT_PTR ClockTimerId = 0;
    UniqueBitmap WorkBitmap;
    UniqueBitmap BackgroundBitmap;
    int WorkWidth = 0;
    int WorkHeight = 0;
    std::vector<uint8_t> AlphaPlane;
    int WindowWidth = 0;
    int WindowHeight = 0;
    UniqueBrush DialogBrush;
    uint8_t Dragging = 0;
    POINT GrabPoint = {};
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    uint64_t LastTickTime = 0;
    UniqueKernelHandle InstanceMutex;
    std::unique_ptr<CHand> HourHand;
    std::unique_ptr<CHand> MinuteHand;
    std::unique_ptr<CHand> SecondHand;
    RECT HoverRect = {};
    UniqueModule AlphaBlendModule;
    int Hovered = 0;
    TIME_ZONE_INFORMATION ZoneInfo = {};

protected:
    bool OnCreate() override;
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // Creation steps (clock_creation_win.cpp).
    bool ClaimInstance();
    void ApplyWindowStyles();
    void LoadLanguage();
    bool LoadStartupPreset();
    void StartClock();
    // clock_benchmark_win.cpp
    void RunBenchmark(int mode);
    // clock_tick_win.cpp
    void OnTimer(UINT_PTR id);
    SYSTEMTIME ReadShownTime() const;
    void RefreshTrayTip(const SYSTEMTIME& shown);
    // clock_release_win.cpp
    void ReleaseEverything();
    // render/compose_frame_win.cpp
    void PaintFrame();
    void SetFrameBitmap(UniqueBitmap bitmap);
    void ReleaseFrameBitmap();
    // render/preset_loader_win.cpp
    void UpdateAlphaBlendLibrary(bool imageHandLoaded);

    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<ClockAlarms> alarms_;
    HBITMAP frameBitmap_ = nullptr;  // ownedFrame_ or the reduction cache's bitmap
    UniqueBitmap ownedFrame_;
    bool trayIconAdded_ = false;
};

extern CTavixDlg* TheClockWindow;
