#pragma once
// CPropPageOptWin: the options sheet's window page. The opacity sliders and
// the smoothing buttons show on the clock at once and are taken back by
// Cancel; everything else applies on OK, start with Windows included.

#include <windows.h>

#include <cstdint>

#include "options/autostart_win.h"
#include "win/property_page_win.h"

class ClockOptionsTarget;

class CPropPageOptWin : public CPropertyPage {
public:
    explicit CPropPageOptWin(ClockOptionsTarget& clock);

    void SetAutostartKeys(AutostartKeys keys) { autostartKeys_ = std::move(keys); }

protected:
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    void OnHScroll(WORD code, WORD position, HWND control) override;

private:
    void OnSmoothingClicked(int method);
    // Ticking one of two boxes that exclude each other clears the other.
    void OnExclusiveClicked(int& ticked, int& other);
    void OnUseAlpha2Clicked();
    int CheckedSmoothing() const;
    int SliderPosition(HWND slider) const;

    ClockOptionsTarget& clock_;
    AutostartKeys autostartKeys_;
    HWND alpha2Slider_ = nullptr;
    HWND languageList_ = nullptr;
    HWND prioritySlider_ = nullptr;
    HWND alphaSlider_ = nullptr;
    int clickThrough_ = 0;
    int dontReposWindow_ = 0;
    int limitWinPos_ = 0;
    int onTop_ = 0;
    int startThisUser_ = 0;
    int startAllUsers_ = 0;
    int pinToDesktop_ = 0;
    int unmovable_ = 0;
    int timeInTray_ = 0;
    int hideFromAltTab_ = 0;
    int multipleInstances_ = 0;
    int useAlpha2_ = 0;
    uint8_t startSmoothing_ = 0;
    int startAllUsersFound_ = 0;
    int startThisUserFound_ = 0;
};
