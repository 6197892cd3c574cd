// The clock window's side of the options sheet, and the Options command.
#include "app/clock_options_target_win.h"

#include "app/clock_option_values.h"
#include "app/clock_window_win.h"
#include "app/tray_icon_win.h"
#include "core/language_table.h"
#include "options/options_sheet_win.h"
#include "res/resource.h"
#include "win/message_box_win.h"
#include "win/system_code_page_win.h"

void CTavixDlg::OpenOptions() {
    ClockOptionsAdapter target(*this);
    CPropSheetOpt sheet(target, Handle());
    if (sheet.DoModal() == IDOK)
        SaveSettings(*store_, settings_);
}

OptionValues ClockOptionsAdapter::Options() const {
    return OptionValuesOf(clock_.settings_);
}

void ClockOptionsAdapter::SetOptions(const OptionValues& values) {
    TakeOptionValues(values, clock_.settings_);
}

SettingsStore& ClockOptionsAdapter::Store() {
    return *clock_.store_;
}

std::string ClockOptionsAdapter::AppFolder() const {
    return clock_.appFolder_;
}

std::string ClockOptionsAdapter::PresetPath() const {
    return clock_.presetPath_;
}

bool ClockOptionsAdapter::LoadPreset(const std::string& path) {
    return clock_.LoadPreset(path);
}

void ClockOptionsAdapter::RedrawAtNextTick() {
    clock_.nextRedrawTime_ = 0;
}

void ClockOptionsAdapter::SetWindowAlpha(uint8_t alpha) {
    clock_.SetWindowAlpha(alpha);
}

uint8_t ClockOptionsAdapter::CurrentAlpha() const {
    return clock_.currentAlpha_;
}

void ClockOptionsAdapter::ApplyPriority(int priority) {
    clock_.ApplyPriority(priority);
}

void ClockOptionsAdapter::ApplyWindowOptions() {
    clock_.ApplyWindowStyles();
    clock_.ApplyZOrder();
}

void ClockOptionsAdapter::ApplyTrayTime() {
    if (!clock_.settings_.TimeInSysTray)
        tray_icon::SetTip(clock_.Handle(), "Tavix");
    clock_.tooltipRefreshPending_ = true;
    // Turned on, the time shows now rather than at the next minute.
    ::PostMessageA(clock_.Handle(), WM_TIMER, IDT_CLOCK_TIMER, 0);
}

void ClockOptionsAdapter::StartHoverWatch() {
    clock_.StartHoverWatch();
}

void ClockOptionsAdapter::StopHoverWatch() {
    clock_.StopHoverWatch();
}

bool ClockOptionsAdapter::SwitchLanguage(const std::string& fileName) {
    // Loaded aside and swapped in whole: a broken file leaves every text as it
    // was, so there is never a moment without a language.
    const std::string path = AppFolder() + "Lang\\" + fileName;
    LanguageTable loaded;
    const LanguageLoadResult result = LoadLanguageFile(path, loaded, TheSystemCodePage());
    if (!result.ok()) {
        ShowMessage(LanguageLoadMessage(result, path).c_str());
        return false;
    }
    TheLanguageTable() = loaded;
    return true;
}

void ClockOptionsAdapter::ConfigurePlugin(const std::string& fileName, HWND owner) {
    clock_.plugins_.ConfigurePlugin(fileName, owner);
}

HWND ClockOptionsAdapter::Window() const {
    return clock_.Handle();
}

bool ClockOptionsAdapter::IsNT() const {
    return clock_.isNT_;
}

bool ClockOptionsAdapter::IsVistaOrLater() const {
    return clock_.isVistaOrLater_;
}

bool ClockOptionsAdapter::LayeredSupported() const {
    return clock_.layeredSupported_;
}

ClockOptionsTarget::ZoneChoice ClockOptionsAdapter::Zone() {
    return {clock_.settings_.DefaultTimeZone, clock_.settings_.MultipleTimeZones, clock_.shownTime_};
}
