#include "options/prop_page_tz_win.h"

#include <optional>
#include <utility>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "options/select_time_zone_win.h"
#include "res/resource.h"

CPropPageTZ::CPropPageTZ(std::string& defaultTimeZone,
                         int32_t& multipleTimeZones,
                         ShownTime& shownTime,
                         TimeZoneDatabase database)
    : CPropertyPage(IDD_PROP_PAGE_TZ),
      defaultTimeZone_(defaultTimeZone),
      multipleTimeZones_(multipleTimeZones),
      shownTime_(shownTime),
      database_(std::move(database)) {
    SetTitle(TheLanguageTable().Text(lang::kTimeZonePageTitle));
}

void CPropPageTZ::DoDataExchange(DataExchange& dx) {
    dx.Control(IDC_TZ_COMBO, zoneCombo_);
    dx.Check(IDC_TZ_MULTIPLE, multipleZones_);
}

BOOL CPropPageTZ::OnInitDialog() {
    ::SetDlgItemTextA(Handle(), IDC_TZ_GROUP, TheLanguageTable().Text(lang::kTimeZoneGroup));
    ::SetDlgItemTextA(Handle(), IDC_TZ_MULTIPLE_GROUP, "Multiple time zones");
    ::SetDlgItemTextA(Handle(), IDC_TZ_MULTIPLE, "Multiple time zones support");
    const BOOL result = CPropertyPage::OnInitDialog();
    FillZoneList();
    multipleZones_ = multipleTimeZones_ != 0 ? 1 : 0;
    UpdateData(false);
    return result;
}

void CPropPageTZ::FillZoneList() {
    zones_ = ReadTimeZoneList(database_);
    const ZoneChoices choices =
        ListZoneChoices(zones_, TheLanguageTable().Text(lang::kLocalTimeEntry), defaultTimeZone_);
    for (const ZoneChoice& item : choices.items) {
        const LRESULT index = ::SendMessageA(zoneCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (index >= 0)
            ::SendMessageA(zoneCombo_, CB_SETITEMDATA, static_cast<WPARAM>(index), item.itemData);
    }
    if (!choices.selected)
        return;
    // The sorted combo box has placed each item by its own comparison: the
    // item is found again by its data.
    const LRESULT count = ::SendMessageA(zoneCombo_, CB_GETCOUNT, 0, 0);
    const int32_t wanted = choices.items[*choices.selected].itemData;
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<int32_t>(::SendMessageA(zoneCombo_, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == wanted) {
            ::SendMessageA(zoneCombo_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            break;
        }
    }
}

void CPropPageTZ::OnOK() {
    if (!UpdateData(true))
        return;
    const LRESULT selected = ::SendMessageA(zoneCombo_, CB_GETCURSEL, 0, 0);
    std::optional<int32_t> chosen;
    if (selected != CB_ERR)
        chosen = static_cast<int32_t>(::SendMessageA(zoneCombo_, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    const ZoneChange change = ZoneAfterOk(zones_, chosen, defaultTimeZone_);
    defaultTimeZone_ = change.defaultTimeZone;
    if (change.selectZone)
        SelectTimeZone(defaultTimeZone_, shownTime_, database_);
    else if (defaultTimeZone_.empty())
        shownTime_.UseLocalTime();
    multipleTimeZones_ = multipleZones_;
}
