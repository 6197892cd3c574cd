#include "options/plugins_page_win.h"

#include <commctrl.h>

#include <vector>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "core/settings_store.h"
#include "options/active_plugins.h"
#include "options/clock_options_target_win.h"
#include "res/resource.h"
#include "win/folder_listing_win.h"

namespace {

const char* Text(int n) {
    return TheLanguageTable().Text(n);
}

constexpr const char* kActivePlugins = "ActivePlugins";

bool IsLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace

CPropPageOptPlug::CPropPageOptPlug(ClockOptionsTarget& clock) : CPropertyPage(IDD_OPTIONS_PLUGINS), clock_(clock) {
    SetTitle(Text(lang::kPluginsPageTitle));
}

void CPropPageOptPlug::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_PLUG_LIST, list_);
}

BOOL CPropPageOptPlug::OnInitDialog() {
    HWND page = Handle();
    ::SetDlgItemTextA(page, IDC_PLUG_GROUP, Text(lang::kPluginListGroup));
    ::SetDlgItemTextA(page, IDC_PLUG_CONFIGURE, Text(lang::kConfigureButton));
    ::SetDlgItemTextA(page, IDC_PLUG_NOTE, Text(lang::kPluginRestartNote));
    CPropertyPage::OnInitDialog();

    ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT client{};
    ::GetClientRect(list_, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = client.right - client.left - 8;
    column.pszText = const_cast<char*>("");
    ::SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

    int inserted = 0;
    for (const std::string& name : ListFileNames(clock_.AppFolder() + "Plugins\\*.dll")) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = inserted++;
        item.pszText = const_cast<char*>(name.c_str());
        ::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }

    const std::string active = clock_.Store().GetString("", kActivePlugins, "");
    for (const std::string& name : SplitActivePlugins(active, &IsLeadByte)) {
        if (name.empty())
            continue;
        LVFINDINFOA find{};
        find.flags = LVFI_STRING;
        find.psz = name.c_str();
        const int found =
            static_cast<int>(::SendMessageA(list_, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
        if (found >= 0)
            ListView_SetCheckState(list_, found, TRUE);
    }
    return TRUE;
}

std::string CPropPageOptPlug::ItemText(int item) const {
    std::vector<char> text(MAX_PATH + 1, '\0');
    LVITEMA request{};
    request.iSubItem = 0;
    request.pszText = text.data();
    request.cchTextMax = static_cast<int>(text.size());
    ::SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
    return std::string(text.data());
}

bool CPropPageOptPlug::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->idFrom != IDC_PLUG_LIST || header->code != NM_DBLCLK)
        return CPropertyPage::OnNotify(header, result);
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (activate->iItem >= 0)
        ListView_SetCheckState(list_, activate->iItem, !ListView_GetCheckState(list_, activate->iItem));
    result = 0;
    return true;
}

bool CPropPageOptPlug::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id != IDC_PLUG_CONFIGURE || notifyCode != BN_CLICKED)
        return CPropertyPage::OnCommand(id, notifyCode, control);
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (selected >= 0)
        clock_.ConfigurePlugin(ItemText(selected), ::GetParent(Handle()));
    return true;
}

void CPropPageOptPlug::OnOK() {
    if (!UpdateData(true))
        return;
    std::vector<std::string> ticked;
    const int count = ListView_GetItemCount(list_);
    for (int i = 0; i < count; ++i)
        if (ListView_GetCheckState(list_, i))
            ticked.push_back(ItemText(i));
    const std::string value = JoinActivePlugins(ticked);
    SettingsStore& store = clock_.Store();
    if (value.empty())
        store.DeleteValue("", kActivePlugins);
    else
        store.WriteString("", kActivePlugins, value);
}
