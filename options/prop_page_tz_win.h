#pragma once
// CPropPageTZ: the time-zone page of the options sheet. It lists the zones of
// the time-zone database with an entry for the computer's local time; OK has
// the clock show the chosen zone from its next tick. The multiple-zones check
// box is hidden: its value only passes through.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "options/shown_time_win.h"
#include "options/time_zone_database_win.h"
#include "options/time_zone_list.h"
#include "win/property_page_win.h"

class CPropPageTZ : public CPropertyPage {
public:
    // The clock's DefaultTimeZone and MultipleTimeZones and the time it shows;
    // they outlive the page.
    CPropPageTZ(std::string& defaultTimeZone,
                int32_t& multipleTimeZones,
                ShownTime& shownTime,
                TimeZoneDatabase database = TimeZoneDatabase());

protected:
    void DoDataExchange(DataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override {}

private:
    void FillZoneList();

    std::string& defaultTimeZone_;
    int32_t& multipleTimeZones_;
    ShownTime& shownTime_;
    TimeZoneDatabase database_;

    HWND zoneCombo_ = nullptr;
    int multipleZones_ = 0;
    // Read again at every showing; the combo box items point into it by number.
    std::vector<TimeZoneEntry> zones_;
};
