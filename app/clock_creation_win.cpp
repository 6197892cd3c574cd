// The creation sequence of the clock window: settings, instance check, time
// zone, styles, language, preset, priority, then the alarms and the one-second timer.
#include "alarms/alarm_tick_win.h"
#include "alarms/clock_alarms_win.h"
#include "app/benchmark_switch.h"
#include "app/clock_window_win.h"
#include "app/start_language.h"
#include "app/tavix_app_win.h"
#include "core/language_strings.h"
#include "core/language_table.h"
#include "options/select_time_zone_win.h"
#include "res/resource.h"
#include "win/message_box_win.h"
#include "win/readable_file_win.h"
#include "win/system_clock_win.h"
#include "win/system_code_page_win.h"
#include "win/unique_handle.h"

bool CTavixDlg::OnCreate() {
    // Without its key the clock runs on defaults; the user must know that
    // nothing will be kept, alarms included.
    if (!store_->IsOpen())
        ShowMessage(("Cannot open " + CWinApp::Current()->ProfileKeyPath() + ": settings and alarms will not be kept.")
                        .c_str());
    LoadSettings(*store_, settings_, layeredSupported_, isNT_);
    currentAlpha_ = settings_.Alpha;

    if (!ClaimInstance())
        return false;

    // Before anything reads the time: the first frame, the tooltip and the
    // alarms all go by the zone shown.
    if (isNT_)
        SelectTimeZone(settings_.DefaultTimeZone, shownTime_);

    ApplyWindowStyles();
    ::SetWindowTextA(Handle(), "Tavix");
    LoadLanguage();
    plugins_.LoadPlugins(appFolder_ + "Plugins\\", *store_, Handle(), settings_.LangFile);

    if (!LoadStartupPreset())
        return false;

    ApplyPriority(settings_.Priority);
    screenWidth_ = ::GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = ::GetSystemMetrics(SM_CYSCREEN);

    const BenchmarkMode benchmark = ParseBenchmarkSwitch(TheApp().CommandLine());
    if (benchmark != BenchmarkMode::None) {
        RunBenchmark(benchmark);
        return false;
    }

    StartClock();
    return true;
}

bool CTavixDlg::ClaimInstance() {
    return instanceSlot_.Claim(settings_.MultipleInstances != 0, settings_.MultipleTimeZones != 0);
}

void CTavixDlg::LoadLanguage() {
    // The first start speaks the user's language; what is stored then (at the
    // latest when the window ends) is kept from then on.
    settings_.LangFile = StartLanguageFile(*store_, ::GetUserDefaultUILanguage(), [this](const std::string& name) {
        return IsReadableFile(appFolder_ + "Lang\\" + name);
    });
    LanguageTable& table = TheLanguageTable();
    // A device or a folder where the file should be counts as a file that
    // cannot be opened: reading a serial port would never return.
    auto load = [&table](const std::string& path) {
        if (!IsReadableFile(path))
            return LanguageLoadResult{LanguageLoadResult::Status::CannotOpen, 0};
        return LoadLanguageFile(path, table, TheSystemCodePage());
    };
    const std::string chosen = appFolder_ + "Lang\\" + settings_.LangFile;
    LanguageLoadResult result = load(chosen);
    if (result.status == LanguageLoadResult::Status::Ok)
        return;
    ShowMessage(LanguageLoadMessage(result, chosen).c_str());

    const std::string fallback = appFolder_ + "Lang\\english.lng";
    result = load(fallback);
    if (result.status == LanguageLoadResult::Status::Ok)
        return;
    ShowMessage(LanguageLoadMessage(result, fallback).c_str());

    // Creation goes on with an empty table (every text reads as empty) until
    // the quit request ends the program.
    ShowMessage("Error loading language!");
    ::PostQuitMessage(0);
}

bool CTavixDlg::LoadStartupPreset() {
    presetPath_ = appFolder_ + "Presets\\" + settings_.BackgrndBitmap;
    const std::string failedPath = presetPath_;
    if (LoadPreset(failedPath))
        return true;

    const std::string message = std::string(TheLanguageTable().Text(lang::kPresetLoadFailed)) + " " + failedPath;
    ShowMessage(message.c_str());
    const size_t slash = failedPath.find_last_of('\\');
    const std::string fallback = failedPath.substr(0, slash == std::string::npos ? 0 : slash + 1) + "default.bmp";
    if (LoadPreset(fallback))
        return true;

    settings_.BackgrndBitmap = "default.bmp";
    ::PostQuitMessage(0);
    return false;
}

void CTavixDlg::StartClock() {
    const SYSTEMTIME now = shownTime_.Now();
    lastTickTime_ = ClockTimeOf(now);
    ringsAlarms_ = instanceSlot_.RingsAlarms();
    // The first tick looks back two minutes, so alarms missed while starting
    // ring; older ones since the last tick seen are told at the first tick.
    if (ringsAlarms_)
        alarmTick_->Start(*alarms_, *store_, lastTickTime_, lastTickTime_ - 1200000000ULL);
    else
        alarms_->Load();
    lastTickTime_ -= 1200000000ULL;
    if (isNT_ && now.wMilliseconds > 400)
        ::Sleep(1001 - now.wMilliseconds);
    clockTimerId_ = ::SetTimer(Handle(), IDT_CLOCK_TIMER, 1000, nullptr);
    if (clockTimerId_ == 0) {
        ShowMessage(TheLanguageTable().Text(lang::kTimerFailed));
        ::PostQuitMessage(0);
    }
}
