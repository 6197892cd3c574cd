#pragma once
// CPropSheetOpt: the options sheet. It remembers where the user last put it
// and its Help button opens the online help for the page shown.

#include <windows.h>

#include <string>

#include "options/background_page_win.h"
#include "options/plugins_page_win.h"
#include "options/prop_page_tz_win.h"
#include "options/window_page_win.h"
#include "win/property_sheet_win.h"

class ClockOptionsTarget;

class CPropSheetOpt : public CPropertySheet {
public:
    CPropSheetOpt(ClockOptionsTarget& clock, HWND parent);

    CPropPageOptWin& WindowPage() { return windowPage_; }
    CPropPageOptBack& BackgroundPage() { return backgroundPage_; }
    CPropPageOptPlug& PluginsPage() { return pluginsPage_; }
    // The online help for the language and the page shown.
    std::string HelpPageAddress() const;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;
    // The Help button: opens HelpPageAddress in the user's browser.
    virtual void OpenHelpPage();

private:
    ClockOptionsTarget& clock_;
    CPropPageOptBack backgroundPage_;
    CPropPageOptWin windowPage_;
    CPropPageOptPlug pluginsPage_;
    // Between the background and the plug-ins page, on NT-family systems only.
    CPropPageTZ timeZonePage_;
    bool moved_ = false;
};
