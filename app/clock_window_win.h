#pragma once
// CTavixDlg: the clock window. It coordinates objects that keep their own
// state: the options, the loaded preset and the frame composer, the alarms,
// the time shown, the tray icon and the instance mutex. Its own state is
// private; dialogs and pages reach what they need through narrow interfaces.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/benchmark_switch.h"
#include "app/clock_settings.h"
#include "app/instance_slot_win.h"
#include "app/registry_store_win.h"
#include "core/settings_store.h"
#include "options/plugin_host_win.h"
#include "options/shown_time_win.h"
#include "render/alpha_blend_win.h"
#include "render/frame_composer_win.h"
#include "render/loaded_preset_win.h"
#include "win/dialog_win.h"
#include "win/unique_handle.h"

class AlarmTick;
class ClockAlarms;

class CTavixDlg : public CDialog {
public:
    explicit CTavixDlg(HWND owner);
    ~CTavixDlg() override;

    // Loads a preset and swaps it in only when the whole load succeeded; on
    // failure the previous face keeps drawing and false is returned. Loaded
    // while a frame is being composed, it is swapped in when that frame is done.
    bool LoadPreset(const std::string& path);
    // Composes a frame for the time and hands it to the window. Called while a
    // frame is being composed (a plug-in hook that runs a message loop lets the
    // tick in), it draws nothing and leaves the frame to the next tick.
    void ComposeFrame(uint16_t hour, uint16_t minute, uint16_t second);

    void PlaceWindow();
    void ApplyPriority(int priority);
    // The extended styles, z-order and opacity the options ask for, set and
    // cleared alike, so that an option turned off takes effect as well.
    void ApplyWindowStyles();
    void ApplyZOrder();

    // Opacity of what is on the screen, without a new frame; the next frame keeps it.
    void SetWindowAlpha(uint8_t alpha);
    // The 125 ms poll of the cursor for the hover opacity, for the cases in
    // which the clock gets no mouse messages (click-through, or Alpha2 0).
    void StartHoverWatch();
    void StopHoverWatch();
    uint8_t CurrentAlpha() const { return currentAlpha_; }

    const ClockSettings& Settings() const { return settings_; }
    SettingsStore& Store() { return *store_; }
    const std::string& AppFolder() const { return appFolder_; }
    const std::string& PresetPath() const { return presetPath_; }
    bool LayeredSupported() const { return layeredSupported_; }
    // The loaded preset; null only before the first successful load.
    const LoadedPreset* Preset() const { return preset_.get(); }
    // The bitmap that holds the finished frame.
    HBITMAP FrameBitmap() const { return preset_ ? preset_->Frame() : nullptr; }

protected:
    bool OnCreate() override;
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    bool PreTranslateMessage(MSG* message) override;

    // For the tests' clock windows, which skip the start-up sequence.
    ClockSettings& MutableSettings() { return settings_; }
    CPlugins& MutablePlugins() { return plugins_; }

private:
    // Creation steps (clock_creation_win.cpp).
    bool ClaimInstance();
    void LoadLanguage();
    bool LoadStartupPreset();
    void StartClock();
    // clock_commands_win.cpp
    void OpenAlarmsDialog();
    // clock_options_target_win.cpp: runs the options sheet, saves on OK.
    void OpenOptions();
    friend class ClockOptionsAdapter;
    void ToggleClickThrough();
    void ToggleUnmovable();
    void ToggleOnTop();
    // clock_input_win.cpp: the mouse, the tray icon and a restarted shell.
    bool HandleInputMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // window_drag_win.cpp
    void BeginDrag(POINT client);
    void MoveDrag(POINT client);
    void EndDrag();
    // hover_opacity_win.cpp
    void OnHoverMouseMove();
    void OnMouseLeave();
    void OnHoverTimer();
    // tray_notifications_win.cpp
    INT_PTR OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
    void OnTaskbarCreated();
    // context_menu_win.cpp
    void ShowContextMenu(POINT client);
    // clock_benchmark_win.cpp
    void RunBenchmark(BenchmarkMode mode);
    // clock_tick_win.cpp
    void OnTimer(UINT_PTR id);
    void RefreshTrayTip(const SYSTEMTIME& shown);
    // clock_release_win.cpp
    void ReleaseEverything();
    // clock_preset_win.cpp
    void SwapInPreset(std::unique_ptr<LoadedPreset> preset);
    // clock_dpi_win.cpp: the monitor's DPI the face is built for, and a move
    // to a monitor with another scale.
    int CurrentDpi();
    void OnDpiChanged(int dpi, const RECT& suggested);
    FrameOptions CurrentFrameOptions() const;

    std::string appFolder_;  // ends with a backslash
    std::string presetPath_;
    bool isNT_ = false;
    bool layeredSupported_ = false;
    bool isVistaOrLater_ = false;
    bool tooltipRefreshPending_ = true;
    ClockSettings settings_;
    std::unique_ptr<RegistryStore> store_;
    uint64_t nextRedrawTime_ = 0;
    uint8_t currentAlpha_ = 255;
    HICON appIcon_ = nullptr;  // shared resource icon: the system releases it
    UINT_PTR clockTimerId_ = 0;
    UniqueBrush dialogBrush_;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    uint64_t lastTickTime_ = 0;
    InstanceSlot instanceSlot_;
    // Whether this clock rang the alarms at the last tick.
    bool ringsAlarms_ = false;
    bool dragging_ = false;
    POINT grabPoint_ = {};
    RECT hoverRect_ = {};
    bool hovered_ = false;
    bool hoverPolling_ = false;

    int dpi_ = 0;  // 0 until the window is first asked
    std::unique_ptr<LoadedPreset> preset_;
    // A frame is being composed: the hooks of plug-ins run inside it, and a
    // message loop of theirs dispatches ticks and option changes meanwhile.
    bool composing_ = false;
    // A preset loaded during a frame; the frame still draws with preset_.
    std::unique_ptr<LoadedPreset> pendingPreset_;
    FrameComposer composer_;
    AlphaBlendLibrary alphaBlend_;
    ShownTime shownTime_;
    std::unique_ptr<ClockAlarms> alarms_;
    // Around the alarms: sleep, missed alarms, snoozes and the wake timer.
    std::unique_ptr<AlarmTick> alarmTick_;
    // Ends every plug-in when the clock object goes, after its window closed.
    CPlugins plugins_;
};

extern CTavixDlg* TheClockWindow;
