#include "options/options_sheet_win.h"

#include <shellapi.h>

#include <vector>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "core/product_address.h"
#include "core/settings_store.h"
#include "options/clock_options_target_win.h"
#include "options/help_address.h"

namespace {

constexpr const char* kOptionsLeft = "OptionsLeft";
constexpr const char* kOptionsTop = "OptionsTop";
constexpr int kDefaultPosition = 10;

const char* Text(int n) {
    return TheLanguageTable().Text(n);
}

// Lower case by the code page's rules, double-byte characters included.
std::string LowerCase(std::string text) {
    if (!text.empty())
        ::CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

int StoredCoordinate(const SettingsStore& store, const char* name) {
    // Stored as a DWORD; a position left of or above the screen reads back negative.
    return static_cast<int>(store.GetInt("", name, kDefaultPosition));
}

}  // namespace

CPropSheetOpt::CPropSheetOpt(ClockOptionsTarget& clock, HWND parent)
    : CPropertySheet(Text(lang::kOptionsCaption), parent, 0),
      clock_(clock),
      backgroundPage_(clock),
      windowPage_(clock),
      pluginsPage_(clock),
      timeZonePage_(clock.Zone().defaultTimeZone, clock.Zone().multipleTimeZones, clock.Zone().shownTime) {
    AddFlags(PSH_HASHELP | PSH_NOAPPLYNOW);
    AddPage(&windowPage_);
    AddPage(&backgroundPage_);
    // On NT-family systems only: its help tab is then 2 and the plug-ins
    // page's 3 (2 without it).
    if (clock_.IsNT())
        AddPage(&timeZonePage_);
    AddPage(&pluginsPage_);
}

BOOL CPropSheetOpt::OnInitDialog() {
    const BOOL result = CPropertySheet::OnInitDialog();
    SetButtonText(IDOK, Text(lang::kOK));
    SetButtonText(IDCANCEL, Text(lang::kCancel));
    SetButtonText(IDHELP, Text(lang::kHelpButton));
    const SettingsStore& store = clock_.Store();
    ::SetWindowPos(Handle(), nullptr, StoredCoordinate(store, kOptionsLeft), StoredCoordinate(store, kOptionsTop), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
    if (!clock_.Options().DontReposWindow)
        ::SendMessageA(Handle(), DM_REPOSITION, 0, 0);
    return result;
}

bool CPropSheetOpt::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id == ID_HELP) {
        OpenHelpPage();
        return true;
    }
    return CPropertySheet::OnCommand(id, notifyCode, control);
}

bool CPropSheetOpt::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Only the user's move counts: a position corrected by the reposition
    // request is not the user's choice and is not stored.
    if (message == WM_EXITSIZEMOVE)
        moved_ = true;
    return CPropertySheet::HandleMessage(message, wParam, lParam, result);
}

void CPropSheetOpt::OnDestroy() {
    if (moved_) {
        RECT frame{};
        if (::GetWindowRect(Handle(), &frame)) {
            SettingsStore& store = clock_.Store();
            store.WriteInt("", kOptionsLeft, static_cast<uint32_t>(frame.left));
            store.WriteInt("", kOptionsTop, static_cast<uint32_t>(frame.top));
        }
    }
    CPropertySheet::OnDestroy();
}

std::string CPropSheetOpt::HelpPageAddress() const {
    const std::string language = LowerCase(HelpLanguageName(clock_.Options().LangFile));
    return HelpAddress(ProductWebAddress(), language, GetActiveIndex());
}

void CPropSheetOpt::OpenHelpPage() {
    const std::string address = HelpPageAddress();
    ::ShellExecuteA(Handle(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
