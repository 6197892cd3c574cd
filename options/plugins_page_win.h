#pragma once
// CPropPageOptPlug: the options sheet's plug-ins page. Lists Plugins\*.dll
// with a check box each, ticked for the names in ActivePlugins; OK stores the
// ticked names, which take effect at the next start.

#include <windows.h>

#include <string>

#include "win/property_page_win.h"

class ClockOptionsTarget;

class CPropPageOptPlug : public CPropertyPage {
public:
    explicit CPropPageOptPlug(ClockOptionsTarget& clock);

protected:
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    std::string ItemText(int item) const;

    ClockOptionsTarget& clock_;
    HWND list_ = nullptr;
};
