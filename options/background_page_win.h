#pragma once
// CPropPageOptBack: the options sheet's background page. Picking a preset, the
// zoom slider and the zoom box show on the clock at once and are taken back by
// Cancel; the display boxes apply on OK.

#include <windows.h>

#include <string>

#include "win/property_page_win.h"

class ClockOptionsTarget;

class CPropPageOptBack : public CPropertyPage {
public:
    explicit CPropPageOptBack(ClockOptionsTarget& clock);

protected:
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    void OnHScroll(WORD code, WORD position, HWND control) override;

private:
    void OnPresetPicked();
    void OnUseZoomClicked();
    std::string PresetFolder() const;
    std::string SelectedPreset() const;
    // Selects the entry of that name (whole name, any case); false when there is none.
    bool SelectPreset(const std::string& name);

    ClockOptionsTarget& clock_;
    int sliderPosition_ = 0;
    int startZoom_ = 0;
    int startUseZoom_ = 0;
    // The preset drawn when the page was first shown, which Cancel brings back.
    std::string startPresetPath_;
    HWND zoomSlider_ = nullptr;
    HWND presetList_ = nullptr;
    int showDate_ = 0;
    int showAMPM_ = 0;
    int useZoom_ = 0;
    int useSecondHand_ = 0;
    // The list entry whose preset the clock draws now.
    std::string loadedPreset_;
    bool presetChanged_ = false;
};
