#include "options/background_page_win.h"

#include <commctrl.h>

#include <vector>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "options/clock_options_target_win.h"
#include "options/zoom_slider.h"
#include "res/resource.h"
#include "win/folder_listing_win.h"
#include "win/message_box_win.h"

namespace {

const char* Text(int n) {
    return TheLanguageTable().Text(n);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CPropPageOptBack::CPropPageOptBack(ClockOptionsTarget& clock) : CPropertyPage(IDD_OPTIONS_BACKGROUND), clock_(clock) {
    SetTitle(Text(lang::kBackgroundPageTitle));
}

void CPropPageOptBack::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_BKG_ZOOM, zoomSlider_);
    exchange.Control(IDC_BKG_PRESETS, presetList_);
    exchange.Check(IDC_BKG_SHOW_DATE, showDate_);
    exchange.Check(IDC_BKG_SHOW_AMPM, showAMPM_);
    exchange.Check(IDC_BKG_USE_ZOOM, useZoom_);
    exchange.Check(IDC_BKG_SECOND_HAND, useSecondHand_);
}

std::string CPropPageOptBack::PresetFolder() const {
    return clock_.AppFolder() + "Presets\\";
}

BOOL CPropPageOptBack::OnInitDialog() {
    HWND page = Handle();
    ::SetDlgItemTextA(page, IDC_BKG_DISPLAY_GROUP, Text(lang::kDisplayGroup));
    ::SetDlgItemTextA(page, IDC_BKG_SHOW_AMPM, Text(lang::kShowAMPMBox));
    ::SetDlgItemTextA(page, IDC_BKG_PRESET_GROUP, Text(lang::kPresetGroup));
    ::SetDlgItemTextA(page, IDC_BKG_SHOW_DATE, Text(lang::kShowDateBox));
    ::SetDlgItemTextA(page, IDC_BKG_SECOND_HAND, Text(lang::kShowSecondHandBox));
    ::SetDlgItemTextA(page, IDC_BKG_ZOOM_GROUP, Text(lang::kZoomGroup));
    ::SetDlgItemTextA(page, IDC_BKG_USE_ZOOM, Text(lang::kEnable));
    CPropertyPage::OnInitDialog();

    const OptionValues options = clock_.Options();
    showAMPM_ = options.ShowAMPM;
    showDate_ = options.ShowDate;
    useZoom_ = startUseZoom_ = options.UseZoom;
    useSecondHand_ = options.UseSecondHand;
    startZoom_ = options.ZoomValue;
    sliderPosition_ = ZoomSliderPosition(options.ZoomValue);
    startPresetPath_ = clock_.PresetPath();

    ::SendMessageA(zoomSlider_, TBM_SETRANGE, FALSE, MAKELPARAM(kZoomSliderMin, kZoomSliderMax));
    ::SendMessageA(zoomSlider_, TBM_SETLINESIZE, 0, 1);
    ::SendMessageA(zoomSlider_, TBM_SETPAGESIZE, 0, 2);
    ::SendMessageA(zoomSlider_, TBM_SETTICFREQ, 5, 0);
    ::SendMessageA(zoomSlider_, TBM_SETPOS, TRUE, sliderPosition_);
    ::SetDlgItemTextA(page, IDC_BKG_ZOOM_VALUE, ZoomLabel(options.ZoomValue).c_str());

    for (const char* pattern : {"*.bmp", "*.png"})
        for (const std::string& name : ListFileNames(PresetFolder() + pattern))
            ::SendMessageA(presetList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    // The entry of the preset the clock draws, which is the stored one unless
    // that failed to load at start-up; a name that only begins like another
    // entry must not select that entry, or OK would store a preset never loaded.
    if (SelectPreset(FileNameOf(startPresetPath_)))
        loadedPreset_ = SelectedPreset();

    UpdateData(false);
    return TRUE;
}

std::string CPropPageOptBack::SelectedPreset() const {
    const LRESULT index = ::SendMessageA(presetList_, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return std::string();
    const LRESULT length = ::SendMessageA(presetList_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::SendMessageA(presetList_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

bool CPropPageOptBack::SelectPreset(const std::string& name) {
    const LRESULT index = name.empty() ? LB_ERR
                                       : ::SendMessageA(presetList_, LB_FINDSTRINGEXACT, WPARAM(-1),
                                                        reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageA(presetList_, LB_SETCURSEL, index == LB_ERR ? WPARAM(-1) : static_cast<WPARAM>(index), 0);
    return index != LB_ERR;
}

bool CPropPageOptBack::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id == IDC_BKG_PRESETS && notifyCode == LBN_SELCHANGE) {
        OnPresetPicked();
        return true;
    }
    if (id == IDC_BKG_USE_ZOOM && notifyCode == BN_CLICKED) {
        OnUseZoomClicked();
        return true;
    }
    return CPropertyPage::OnCommand(id, notifyCode, control);
}

void CPropPageOptBack::OnPresetPicked() {
    const std::string picked = SelectedPreset();
    if (picked.empty() || picked == loadedPreset_)
        return;
    const std::string path = PresetFolder() + picked;
    if (clock_.LoadPreset(path)) {
        presetChanged_ = true;
        loadedPreset_ = picked;
        return;
    }
    const std::string message = std::string(Text(lang::kPresetPickFailed)) + " " + path;
    ShowMessage(message.c_str());
    // A failed load leaves the clock drawing the preset it had: the list goes
    // back to that one, so that what is selected is what is shown.
    SelectPreset(loadedPreset_);
}

void CPropPageOptBack::OnHScroll(WORD code, WORD position, HWND control) {
    if (control == zoomSlider_ && zoomSlider_) {
        const int now = static_cast<int>(::SendMessageA(zoomSlider_, TBM_GETPOS, 0, 0));
        if (now != sliderPosition_) {
            sliderPosition_ = now;
            OptionValues options = clock_.Options();
            options.ZoomValue = ZoomOfSliderPosition(now);
            clock_.SetOptions(options);
            ::SetDlgItemTextA(Handle(), IDC_BKG_ZOOM_VALUE, ZoomLabel(options.ZoomValue).c_str());
            if (options.UseZoom)
                clock_.LoadPreset(clock_.PresetPath());
        }
    }
    CPropertyPage::OnHScroll(code, position, control);
}

void CPropPageOptBack::OnUseZoomClicked() {
    UpdateData(true);
    OptionValues options = clock_.Options();
    if ((useZoom_ != 0) != (options.UseZoom != 0)) {
        options.UseZoom = useZoom_ != 0 ? 1 : 0;
        clock_.SetOptions(options);
        clock_.LoadPreset(clock_.PresetPath());
    }
    UpdateData(false);
}

void CPropPageOptBack::OnOK() {
    if (!UpdateData(true))
        return;
    OptionValues options = clock_.Options();
    options.ShowAMPM = showAMPM_ != 0 ? 1 : 0;
    options.ShowDate = showDate_ != 0 ? 1 : 0;
    // Only a preset picked here is stored: an untouched list keeps the stored
    // name, even when start-up had to draw another preset in its place.
    if (presetChanged_ && !loadedPreset_.empty())
        options.BackgrndBitmap = loadedPreset_;
    options.UseSecondHand = useSecondHand_ != 0 ? 1 : 0;
    clock_.SetOptions(options);
    // Without a second hand the next frame may be a quarter minute away: the
    // switches show at the next tick instead.
    clock_.RedrawAtNextTick();
}

void CPropPageOptBack::OnCancel() {
    OptionValues options = clock_.Options();
    if (!presetChanged_ && options.ZoomValue == startZoom_ && options.UseZoom == startUseZoom_)
        return;
    options.ZoomValue = startZoom_;
    options.UseZoom = startUseZoom_;
    clock_.SetOptions(options);
    if (!clock_.LoadPreset(startPresetPath_)) {
        const std::string message = std::string(Text(lang::kPresetPickFailed)) + " " + startPresetPath_;
        ShowMessage(message.c_str());
    }
    presetChanged_ = false;
}
