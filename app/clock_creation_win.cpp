// The creation sequence of the clock window: settings, instance check, styles,
// language, preset, priority, then the alarms and the one-second timer.
#include "alarms/clock_alarms_win.h"
#include "app/benchmark_switch.h"
#include "app/clock_window_win.h"
#include "app/language_table.h"
#include "app/system_clock_win.h"
#include "app/tavix_app_win.h"
#include "render/preset_settings.h"
#include "res/resource.h"
#include "win/message_box_win.h"

bool CTavixDlg::OnCreate() {
    LoadSettings(*store_, Settings, LayeredSupported != 0, IsNT != 0);
    CurrentAlpha = Settings.Alpha;

    if (!ClaimInstance()) return false;

    // A selected time zone is taken up by the time-zone support; until then the
    // clock shows local time.

    ApplyWindowStyles();
    ::SetWindowTextA(Handle(), "Tavix");
    LoadLanguage();

    if (!LoadStartupPreset()) return false;

    ApplyPriority(Settings.Priority);
    ScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);

    const BenchmarkMode benchmark = ParseBenchmarkSwitch(TheApp().CommandLine());
    if (benchmark != BenchmarkMode::None) {
        RunBenchmark(static_cast<int>(benchmark));
        return false;
    }

    StartClock();
    return true;
}

bool CTavixDlg::ClaimInstance() {
    if (Settings.MultipleInstances != 0 && Settings.MultipleTimeZones == 0) return true;
    static const char* const kNames[] = {"Tavix", "Tavix2", "Tavix3"};
    const int allowed = Settings.MultipleTimeZones != 0 ? 3 : 1;
    for (int i = 0; i < allowed; ++i) {
        InstanceMutex.reset(::CreateMutexA(nullptr, FALSE, kNames[i]));
        if (InstanceMutex && ::GetLastError() != ERROR_ALREADY_EXISTS) return true;
    }
    // Every slot is taken: our handles to the other instances' mutexes go.
    InstanceMutex.reset();
    return false;
}

void CTavixDlg::ApplyWindowStyles() {
    LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    style &= ~static_cast<LONG_PTR>(WS_EX_APPWINDOW);
    if (Settings.HideFromAltTab != 0) style |= WS_EX_TOOLWINDOW;
    if (LayeredSupported) {
        style |= WS_EX_LAYERED;
        if (Settings.ClickThrough) style |= WS_EX_TRANSPARENT;
        if (Settings.PinToDesktop) style |= WS_EX_NOACTIVATE;
    }
    ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, style);
}

void CTavixDlg::LoadLanguage() {
    LanguageTable& table = TheLanguageTable();
    const std::string chosen = AppFolder + "Lang\\" + Settings.LangFile;
    LanguageLoadResult result = LoadLanguageFile(chosen, table);
    if (result.status == LanguageLoadResult::Status::Ok) return;
    ShowMessage(LanguageLoadMessage(result, chosen).c_str());

    const std::string fallback = AppFolder + "Lang\\english.lng";
    result = LoadLanguageFile(fallback, table);
    if (result.status == LanguageLoadResult::Status::Ok) return;
    ShowMessage(LanguageLoadMessage(result, fallback).c_str());

    // Creation goes on with an empty table (every text reads as empty) until
    // the quit request ends the program.
    ShowMessage("Error loading language!");
    ::PostQuitMessage(0);
}

bool CTavixDlg::LoadStartupPreset() {
    PresetPath = AppFolder + "Presets\\" + Settings.BackgrndBitmap;
    const std::string failedPath = PresetPath;
    if (LoadPreset(failedPath)) return true;

    const std::string message = std::string(TheLanguageTable().Text(1)) + " " + failedPath;
    ShowMessage(message.c_str());
    const size_t slash = failedPath.find_last_of('\\');
    const std::string fallback = failedPath.substr(0, slash == std::string::npos ? 0 : slash + 1) + "default.bmp";
    if (LoadPreset(fallback)) return true;

    Settings.BackgrndBitmap = "default.bmp";
    ::PostQuitMessage(0);
    return false;
}

void CTavixDlg::StartClock() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    LastTickTime = ClockTimeOf(now);
    alarms_->Load();
    // The first tick looks back two minutes, so alarms missed while starting ring.
    LastTickTime -= 1200000000ULL;
    if (IsNT && now.wMilliseconds > 400) ::Sleep(1001 - now.wMilliseconds);
    ClockTimerId = ::SetTimer(Handle(), IDT_CLOCK_TIMER, 1000, nullptr);
    if (ClockTimerId == 0) {
        ShowMessage(TheLanguageTable().Text(2));
        ::PostQuitMessage(0);
    }
}
