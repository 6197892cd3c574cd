#include "alarms/alarms_dlg_win.h"

#include <commctrl.h>

#include <map>
#include <string>

#include "alarms/alarm_columns_win.h"
#include "alarms/alarm_edit_dlg_win.h"
#include "alarms/alarm_list_edits.h"
#include "alarms/alarm_locale_win.h"
#include "alarms/alarm_rows.h"
#include "core/language_table.h"
#include "res/resource.h"
#include "win/message_box_win.h"

namespace {

constexpr int kTextCaption = 45;
constexpr int kTextOk = 38;

constexpr struct {
    int id;
    int text;
} kButtonTexts[] = {
    {IDC_ALARMS_NEW, 41}, {IDC_ALARMS_EDIT, 42}, {IDC_ALARMS_DELETE, 43}, {IDC_ALARMS_TEST, 44}, {IDOK, kTextOk},
};

constexpr struct {
    int text;
    int width;  // at 96 DPI
} kColumns[] = {{46, 158}, {47, 60}, {48, 116}};

constexpr DWORD kListExStyle = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
constexpr int kDefaultPosition = 10;
constexpr const char* kSaveFailed = "The alarms could not be saved.";

// State images of a row's check box.
constexpr UINT kBoxClear = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kBoxTicked = INDEXTOSTATEIMAGEMASK(2);

void SetCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CAlarmsDlg::CAlarmsDlg(HWND parent, AlarmsDialogHost& host) : CDialog(IDD_ALARMS, parent), host_(host) {
    // The template's list view needs its class before the dialog is created.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

CAlarmsDlg::~CAlarmsDlg() {
    UnregisterOpenAlarmsDialog(this);
}

BOOL CAlarmsDlg::OnInitDialog() {
    changed_ = false;
    const LanguageTable& texts = TheLanguageTable();
    ::SetWindowTextA(Handle(), texts.Text(kTextCaption));
    for (const auto& b : kButtonTexts)
        ::SetDlgItemTextA(Handle(), b.id, texts.Text(b.text));
    list_ = ::GetDlgItem(Handle(), IDC_ALARMS_LIST);
    ListView_SetExtendedListViewStyle(list_, kListExStyle);
    AddColumns();
    Refill();
    PlaceWindow();
    RegisterOpenAlarmsDialog(this);
    return TRUE;
}

void CAlarmsDlg::AddColumns() {
    int index = 0;
    for (const auto& c : kColumns) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<char*>(TheLanguageTable().Text(c.text));
        column.cx = AlarmColumnWidth(list_, index, c.width, column.pszText);
        column.iSubItem = index;
        ::SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
        ++index;
    }
}

void CAlarmsDlg::Refill() {
    if (!list_)
        return;
    // The selected alarm stays selected when the tick reorders the list.
    const int selected = SelectedRow();
    const uint64_t selectedId =
        selected >= 0 && static_cast<size_t>(selected) < rowIds_.size() ? rowIds_[static_cast<size_t>(selected)] : 0;
    const AlarmList& alarms = host_.Alarms();
    rowIds_.clear();

    filling_ = true;
    ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    const AlarmRowLocale locale = UserAlarmRowLocale();
    int row = 0;
    for (const AlarmRecord& alarm : alarms) {
        const AlarmRowTexts texts = FormatAlarmRow(alarm, locale, TheLanguageTable());
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(texts.name.c_str());
        ::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(list_, row, 1, texts.time);
        SetCell(list_, row, 2, texts.repeat);
        rowIds_.push_back(alarm.Id);
        // A box changed but not yet confirmed keeps its state over a reload.
        const auto pending = pendingEnabled_.find(alarm.Id);
        const bool enabled = pending != pendingEnabled_.end() ? pending->second : (alarm.Flags & ALARM_ENABLED) != 0;
        ListView_SetCheckState(list_, row, enabled);
        if (selectedId != 0 && alarm.Id == selectedId)
            ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ++row;
    }
    ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
    filling_ = false;
}

void CAlarmsDlg::PlaceWindow() {
    SettingsStore& store = host_.Store();
    // Stored as 32-bit values; a position left of or above the screen is negative.
    const int top = static_cast<int32_t>(store.GetInt("", "AlarmsTop", kDefaultPosition));
    const int left = static_cast<int32_t>(store.GetInt("", "AlarmsLeft", kDefaultPosition));
    ::SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (host_.DontReposWindow())
        return;
    // What DM_REPOSITION does on Windows, done here because not every dialog
    // manager honours that request: the whole dialog into its monitor's work area.
    RECT window{};
    ::GetWindowRect(Handle(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    int x = window.left;
    int y = window.top;
    if (window.right > work.right)
        x -= window.right - work.right;
    if (window.bottom > work.bottom)
        y -= window.bottom - work.bottom;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    if (x != window.left || y != window.top)
        ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAlarmsDlg::StorePosition() {
    RECT window{};
    ::GetWindowRect(Handle(), &window);
    host_.Store().WriteInt("", "AlarmsLeft", static_cast<uint32_t>(window.left));
    host_.Store().WriteInt("", "AlarmsTop", static_cast<uint32_t>(window.top));
}

size_t CAlarmsDlg::RecordOfRow(int row) const {
    const AlarmList& alarms = host_.Alarms();
    if (row < 0 || static_cast<size_t>(row) >= rowIds_.size())
        return alarms.size();
    return alarms.IndexOfId(rowIds_[static_cast<size_t>(row)]);
}

int CAlarmsDlg::SelectedRow() const {
    if (!list_)
        return -1;
    return static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool CAlarmsDlg::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (notifyCode == BN_CLICKED) {
        switch (id) {
            case IDC_ALARMS_NEW:
                NewAlarm();
                return true;
            case IDC_ALARMS_EDIT:
                EditAlarm();
                return true;
            case IDC_ALARMS_DELETE:
                DeleteAlarm();
                return true;
            case IDC_ALARMS_TEST:
                TestAlarm();
                return true;
            default:
                break;
        }
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

bool CAlarmsDlg::HandleMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message != WM_NOTIFY)
        return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_ALARMS_LIST || header->code != LVN_ITEMCHANGED)
        return false;
    OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
    result = 0;
    return true;
}

void CAlarmsDlg::OnItemChanged(const NMLISTVIEW& change) {
    const AlarmList& alarms = host_.Alarms();
    if (filling_ || change.iItem < 0 || alarms.empty() || !(change.uChanged & LVIF_STATE))
        return;
    // Selection changes arrive here too; only a change of the box counts.
    if (((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0)
        return;
    const UINT box = change.uNewState & LVIS_STATEIMAGEMASK;
    if (box != kBoxClear && box != kBoxTicked)
        return;
    changed_ = true;
    const size_t index = RecordOfRow(change.iItem);
    if (index >= alarms.size())
        return;
    // Kept until OK, another change or Cancel decides; stored then by
    // identity, on the list as stored at that moment.
    pendingEnabled_[alarms[index].Id] = box == kBoxTicked;
}

bool CAlarmsDlg::Change(const std::function<void(AlarmList&)>& change) {
    // The check boxes changed so far go with every change the dialog stores,
    // as they always went with its saves.
    const std::map<uint64_t, bool> boxes = pendingEnabled_;
    const bool saved = host_.ChangeAlarms([&](AlarmList& stored) {
        SetAlarmsEnabled(stored, boxes);
        change(stored);
    });
    if (!saved) {
        ShowMessageBox(Handle(), kSaveFailed, "Tavix", MB_ICONEXCLAMATION);
        return false;
    }
    pendingEnabled_.clear();
    changed_ = false;
    return true;
}

void CAlarmsDlg::NewAlarm() {
    const AlarmRecord fresh;
    CAlarmEditDlg edit(Handle(), fresh, false, host_.ProgramFolder());
    if (edit.DoModal() != IDOK)
        return;
    const AlarmRecord added = edit.Result();
    Change([&added](AlarmList& stored) { AddAlarm(stored, added); });
    Refill();
}

void CAlarmsDlg::EditAlarm() {
    const size_t index = RecordOfRow(SelectedRow());
    if (index >= host_.Alarms().size())
        return;
    // A copy: the list may be reloaded, freeing every record, while the edit
    // dialog runs. The edit lands on the alarm with the copy's identity in the
    // list as stored when OK is pressed.
    const AlarmRecord alarm = host_.Alarms()[index];
    CAlarmEditDlg edit(Handle(), alarm, true, host_.ProgramFolder());
    if (edit.DoModal() != IDOK)
        return;
    const AlarmRecord edited = edit.Result();
    Change([&](AlarmList& stored) { ApplyEdit(stored, alarm.Id, edited); });
    Refill();
}

void CAlarmsDlg::DeleteAlarm() {
    const int row = SelectedRow();
    const AlarmList& alarms = host_.Alarms();
    if (row < 0 || alarms.empty())
        return;
    const size_t index = RecordOfRow(row);
    if (index < alarms.size()) {
        const uint64_t id = alarms[index].Id;
        Change([id](AlarmList& stored) { ::DeleteAlarm(stored, id); });
    } else {
        Change([](AlarmList&) {});
    }
    Refill();
}

void CAlarmsDlg::TestAlarm() {
    const size_t index = RecordOfRow(SelectedRow());
    if (index >= host_.Alarms().size())
        return;
    // A copy: an action may run a message loop in which the list is reloaded.
    const AlarmRecord alarm = host_.Alarms()[index];
    host_.FireAlarm(alarm);
}

void CAlarmsDlg::OnOK() {
    StorePosition();
    if (changed_)
        Change([](AlarmList&) {});
    EndDialog(IDOK);
}

void CAlarmsDlg::OnCancel() {
    StorePosition();
    // Nothing of the boxes was stored; the list in memory never held them.
    pendingEnabled_.clear();
    changed_ = false;
    EndDialog(IDCANCEL);
}

void CAlarmsDlg::OnDestroy() {
    UnregisterOpenAlarmsDialog(this);
    list_ = nullptr;
}
