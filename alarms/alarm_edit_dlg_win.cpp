#include "alarms/alarm_edit_dlg_win.h"

#include <commctrl.h>

#include <array>
#include <optional>
#include <utility>
#include <variant>

#include "alarms/alarm_locale_win.h"
#include "alarms/file_choice_win.h"
#include "core/language_table.h"
#include "res/resource.h"
#include "win/message_box_win.h"

namespace {

constexpr int kTextCaption = 55;
constexpr int kTextRefusalCaption = 72;
constexpr int kTextSoundFilter = 73;
constexpr int kTextProgramFilter = 74;
constexpr int kTextNewAlarmName = 75;
constexpr int kTextOk = 38;
constexpr int kTextCancel = 39;

// Language string of each labelled control.
constexpr struct {
    int id;
    int text;
} kControlTexts[] = {
    {IDC_EDIT_NAME_LABEL, 56},     {IDC_EDIT_REPEAT_LABEL, 57},
    {IDC_EDIT_TIME_LABEL, 58},     {IDC_EDIT_ACTIONS, 59},
    {IDC_EDIT_NOTICE_CHECK, 60},   {IDC_EDIT_NOTICE_LABEL, 61},
    {IDC_EDIT_SOUND_CHECK, 62},    {IDC_EDIT_PROGRAM_CHECK, 63},
    {IDC_EDIT_SHUTDOWN_CHECK, 64}, {IDC_EDIT_START_LABEL, 93},
    {IDC_EDIT_MINUTES_LABEL, 94},  {IDC_EDIT_LOOP_CHECK, 95},
    {IDC_EDIT_SECONDS_LABEL, 96},  {IDOK, kTextOk},
    {IDCANCEL, kTextCancel},
};

// Repeat-kind items in list order.
constexpr int kKindTexts[] = {54, 50, 51, 52, 53, 31};

constexpr DWORD kWeekdayListExStyle = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int got = ::GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

bool IsChecked(HWND dialog, int id) {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

// A control's rectangle in the dialog's client coordinates.
RECT ClientRectOf(HWND dialog, HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int FieldControl(EditField field) {
    switch (field) {
        case EditField::Program:
            return IDC_EDIT_PROGRAM;
        case EditField::Description:
            return IDC_EDIT_DESCRIPTION;
        case EditField::Name:
            return IDC_EDIT_NAME;
        case EditField::SoundPath:
            return IDC_EDIT_SOUND;
        case EditField::Minutes:
            return IDC_EDIT_MINUTES;
        case EditField::SoundSeconds:
            return IDC_EDIT_SECONDS;
        case EditField::None:
            break;
    }
    return 0;
}

}  // namespace

CAlarmEditDlg::CAlarmEditDlg(HWND parent, const AlarmRecord& record, bool existing, std::string programFolder)
    : CDialog(IDD_ALARM_EDIT, parent),
      original_(record),
      existing_(existing),
      programFolder_(std::move(programFolder)) {
    // The pickers and the weekday list: the application registers only the
    // older control classes, and registering twice does no harm.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!programFolder_.empty() && programFolder_.back() != '\\')
        programFolder_ += '\\';
}

BOOL CAlarmEditDlg::OnInitDialog() {
    SetTexts();
    CreateTimeField();
    if (existing_) {
        values_ = ValuesOfAlarm(original_);
        initialDate_ = values_.date;
        initialWeekdays_ = values_.weekdays;
    } else {
        const clock_time::CivilTime now = LocalCivilTimeNow();
        values_ = ValuesOfNewAlarm(TheLanguageTable().Text(kTextNewAlarmName), now);
        initialDate_ = now;
    }
    ::SendMessageA(Item(IDC_EDIT_REPEAT), CB_SETCURSEL, static_cast<WPARAM>(static_cast<int>(values_.kind)), 0);
    ApplyKind();
    WriteFields();
    ApplyEnableRules();
    HWND name = Item(IDC_EDIT_NAME);
    ::SendMessageA(name, EM_SETSEL, 0, -1);
    ::SetFocus(name);
    return FALSE;
}

void CAlarmEditDlg::SetTexts() {
    const LanguageTable& texts = TheLanguageTable();
    ::SetWindowTextA(Handle(), texts.Text(kTextCaption));
    for (const auto& c : kControlTexts)
        ::SetDlgItemTextA(Handle(), c.id, texts.Text(c.text));
    HWND kinds = Item(IDC_EDIT_REPEAT);
    for (int text : kKindTexts)
        ::SendMessageA(kinds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts.Text(text)));
    ::SendMessageA(Item(IDC_EDIT_NAME), EM_LIMITTEXT, kMaxNameLength, 0);
    ::SendMessageA(Item(IDC_EDIT_DESCRIPTION), EM_LIMITTEXT, kMaxDescriptionLength, 0);
    ::SendMessageA(Item(IDC_EDIT_PROGRAM), EM_LIMITTEXT, kMaxPathLength, 0);
    ::SendMessageA(Item(IDC_EDIT_SOUND), EM_LIMITTEXT, kMaxPathLength, 0);
}

void CAlarmEditDlg::CreateTimeField() {
    const RECT label = ClientRectOf(Handle(), Item(IDC_EDIT_TIME_LABEL));
    HWND field = ::CreateWindowExA(
        0, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN, label.left,
        label.bottom + 4, 100, 25, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EDIT_TIME)),
        ::GetModuleHandleA(nullptr), nullptr);
    // Tab order: right after its label instead of after the last control.
    ::SetWindowPos(field, Item(IDC_EDIT_TIME_LABEL), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageA(field, WM_SETFONT, ::SendMessageA(Handle(), WM_GETFONT, 0, 0), FALSE);
}

RepeatItem CAlarmEditDlg::SelectedKind() const {
    const LRESULT item = ::SendMessageA(Item(IDC_EDIT_REPEAT), CB_GETCURSEL, 0, 0);
    if (item < 0 || item > static_cast<LRESULT>(RepeatItem::Minutes))
        return RepeatItem::None;
    return static_cast<RepeatItem>(item);
}

void CAlarmEditDlg::DestroyKindControls() {
    for (int id : {IDC_EDIT_DATE, IDC_EDIT_WEEKDAYS}) {
        if (HWND control = Item(id))
            ::DestroyWindow(control);
    }
}

void CAlarmEditDlg::ApplyKind() {
    DestroyKindControls();
    const RepeatItem kind = SelectedKind();
    switch (kind) {
        case RepeatItem::Once:
        case RepeatItem::Monthly:
        case RepeatItem::Yearly:
        case RepeatItem::Minutes:
            CreateDateField();
            break;
        case RepeatItem::Weekly:
            CreateWeekdayList();
            break;
        default:
            break;
    }
    const int show = kind == RepeatItem::Minutes ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_EDIT_START_LABEL, IDC_EDIT_MINUTES_LABEL, IDC_EDIT_MINUTES})
        ::ShowWindow(Item(id), show);
}

void CAlarmEditDlg::CreateDateField() {
    HWND kinds = Item(IDC_EDIT_REPEAT);
    const RECT combo = ClientRectOf(Handle(), kinds);
    HWND field = ::CreateWindowExA(0, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_SHORTDATEFORMAT,
                                   combo.right + 10, combo.top, 120, combo.bottom + 4 - combo.top, Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EDIT_DATE)),
                                   ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowPos(field, kinds, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageA(field, WM_SETFONT, ::SendMessageA(Handle(), WM_GETFONT, 0, 0), FALSE);
    SYSTEMTIME date = ToSystemTime(initialDate_);
    ::SendMessageA(field, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

void CAlarmEditDlg::CreateWeekdayList() {
    const RECT name = ClientRectOf(Handle(), Item(IDC_EDIT_NAME));
    constexpr int kWidth = 170;
    HWND list = ::CreateWindowExA(
        0, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
        name.right + 12, name.top - 2, kWidth, 135, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EDIT_WEEKDAYS)), ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowPos(list, Item(IDC_EDIT_REPEAT), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageA(list, WM_SETFONT, ::SendMessageA(Handle(), WM_GETFONT, 0, 0), FALSE);
    ListView_SetExtendedListViewStyle(list, kWeekdayListExStyle);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = kWidth - 8;
    char empty[] = "";
    column.pszText = empty;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    const std::array<std::string, 7> days = UserDayNames();
    for (int i = 0; i < 7; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(days[static_cast<size_t>(i)].c_str());
        ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        ListView_SetCheckState(list, i, (initialWeekdays_ >> i) & 1);
    }
}

void CAlarmEditDlg::WriteFields() {
    HWND dialog = Handle();
    ::SetDlgItemTextA(dialog, IDC_EDIT_NAME, values_.name.c_str());
    ::SetDlgItemTextA(dialog, IDC_EDIT_MINUTES, values_.minutes.c_str());
    ::SetDlgItemTextA(dialog, IDC_EDIT_SECONDS, values_.soundSeconds.c_str());
    ::SetDlgItemTextA(dialog, IDC_EDIT_DESCRIPTION, values_.description.c_str());
    ::SetDlgItemTextA(dialog, IDC_EDIT_SOUND, values_.soundPath.c_str());
    ::SetDlgItemTextA(dialog, IDC_EDIT_PROGRAM, values_.program.c_str());
    SetChecked(dialog, IDC_EDIT_NOTICE_CHECK, values_.showNotice);
    SetChecked(dialog, IDC_EDIT_SOUND_CHECK, values_.playSound);
    SetChecked(dialog, IDC_EDIT_LOOP_CHECK, values_.loop);
    SetChecked(dialog, IDC_EDIT_PROGRAM_CHECK, values_.runProgram);
    SetChecked(dialog, IDC_EDIT_SHUTDOWN_CHECK, values_.shutDown);
    // Only the time of day counts here; today's date keeps the picker within
    // its calendar when a stored due time lies outside it (0, or year 30000).
    clock_time::CivilTime shown = LocalCivilTimeNow();
    shown.hour = values_.timeOfDay.hour;
    shown.minute = values_.timeOfDay.minute;
    shown.second = values_.timeOfDay.second;
    shown.millisecond = 0;
    SYSTEMTIME time = ToSystemTime(shown);
    ::SendMessageA(Item(IDC_EDIT_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

bool CAlarmEditDlg::ReadFields() {
    HWND dialog = Handle();
    values_.name = WindowText(Item(IDC_EDIT_NAME));
    values_.minutes = WindowText(Item(IDC_EDIT_MINUTES));
    values_.soundSeconds = WindowText(Item(IDC_EDIT_SECONDS));
    values_.description = WindowText(Item(IDC_EDIT_DESCRIPTION));
    values_.soundPath = WindowText(Item(IDC_EDIT_SOUND));
    values_.program = WindowText(Item(IDC_EDIT_PROGRAM));
    values_.showNotice = IsChecked(dialog, IDC_EDIT_NOTICE_CHECK);
    values_.playSound = IsChecked(dialog, IDC_EDIT_SOUND_CHECK);
    values_.loop = IsChecked(dialog, IDC_EDIT_LOOP_CHECK);
    values_.runProgram = IsChecked(dialog, IDC_EDIT_PROGRAM_CHECK);
    values_.shutDown = IsChecked(dialog, IDC_EDIT_SHUTDOWN_CHECK);
    values_.kind = SelectedKind();
    SYSTEMTIME picked{};
    if (::SendMessageA(Item(IDC_EDIT_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)) == GDT_VALID)
        values_.timeOfDay = FromSystemTime(picked);
    if (HWND date = Item(IDC_EDIT_DATE)) {
        if (::SendMessageA(date, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)) == GDT_VALID)
            values_.date = FromSystemTime(picked);
    }
    values_.weekdays = 0;
    if (HWND days = Item(IDC_EDIT_WEEKDAYS)) {
        for (int i = 0; i < 7; ++i) {
            if (ListView_GetCheckState(days, i))
                values_.weekdays |= static_cast<uint8_t>(1u << i);
        }
    }
    if (std::optional<EditRefusal> refusal = CheckFieldTexts(values_)) {
        ShowRefusal(*refusal);
        return false;
    }
    return true;
}

void CAlarmEditDlg::ShowRefusal(const EditRefusal& refusal) {
    const std::string text = RefusalText(refusal, TheLanguageTable());
    // The field checks speak for the dialog as a whole; the checks of the
    // alarm's contents carry their own caption.
    const char* caption = refusal.languageText ? TheLanguageTable().Text(kTextRefusalCaption) : "Tavix";
    ShowMessageBox(Handle(), text.c_str(), caption, MB_ICONEXCLAMATION);
    if (const int id = FieldControl(refusal.field)) {
        HWND field = Item(id);
        ::SetFocus(field);
        ::SendMessageA(field, EM_SETSEL, 0, -1);
    }
}

void CAlarmEditDlg::ApplyEnableRules() {
    HWND dialog = Handle();
    const bool notice = IsChecked(dialog, IDC_EDIT_NOTICE_CHECK);
    const bool sound = IsChecked(dialog, IDC_EDIT_SOUND_CHECK);
    const bool program = IsChecked(dialog, IDC_EDIT_PROGRAM_CHECK);
    ::EnableWindow(Item(IDC_EDIT_DESCRIPTION), notice);
    ::EnableWindow(Item(IDC_EDIT_PROGRAM), program);
    for (int id : {IDC_EDIT_SOUND, IDC_EDIT_SECONDS_LABEL, IDC_EDIT_SECONDS})
        ::EnableWindow(Item(id), sound);
    ::EnableWindow(Item(IDC_EDIT_LOOP_CHECK), notice && sound);
}

void CAlarmEditDlg::BrowseSound() {
    FileChoice choice;
    choice.owner = Handle();
    choice.filter = TheLanguageTable().Text(kTextSoundFilter);
    // The stored sound, even when the box was changed since; else our own ring.
    choice.initialFile = existing_ && !original_.Sound.empty() ? original_.Sound : programFolder_ + "Sounds\\ring.wav";
    if (std::optional<std::string> path = ChooseFile(choice)) {
        ::SetDlgItemTextA(Handle(), IDC_EDIT_SOUND, path->c_str());
        SetChecked(Handle(), IDC_EDIT_SOUND_CHECK, true);
        ApplyEnableRules();
    }
}

void CAlarmEditDlg::BrowseProgram() {
    FileChoice choice;
    choice.owner = Handle();
    choice.filter = TheLanguageTable().Text(kTextProgramFilter);
    if (std::optional<std::string> path = ChooseFile(choice)) {
        ::SetDlgItemTextA(Handle(), IDC_EDIT_PROGRAM, path->c_str());
        SetChecked(Handle(), IDC_EDIT_PROGRAM_CHECK, true);
        ApplyEnableRules();
    }
}

bool CAlarmEditDlg::OnCommand(WORD id, WORD notifyCode, HWND control) {
    switch (id) {
        case IDC_EDIT_NOTICE_CHECK:
        case IDC_EDIT_PROGRAM_CHECK:
        case IDC_EDIT_SOUND_CHECK:
            if (notifyCode != BN_CLICKED)
                return false;
            // Every read of the controls checks them; the boxes follow their
            // check box whatever that check found.
            ReadFields();
            ApplyEnableRules();
            return true;
        case IDC_EDIT_BROWSE_SOUND:
            BrowseSound();
            return true;
        case IDC_EDIT_BROWSE_PROGRAM:
            BrowseProgram();
            return true;
        case IDC_EDIT_REPEAT:
            if (notifyCode != CBN_SELCHANGE)
                return false;
            ApplyKind();
            return true;
        default:
            return CDialog::OnCommand(id, notifyCode, control);
    }
}

void CAlarmEditDlg::OnOK() {
    // The due time starts from the system's local time, not a chosen zone's.
    const clock_time::CivilTime localNow = LocalCivilTimeNow();
    if (!ReadFields())
        return;
    auto built = BuildAlarm(values_, original_, localNow);
    if (auto* refusal = std::get_if<EditRefusal>(&built)) {
        ShowRefusal(*refusal);
        return;
    }
    result_ = std::move(std::get<AlarmRecord>(built));
    EndDialog(IDOK);
}
