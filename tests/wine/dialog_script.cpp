#include "tests/wine/dialog_script_win.h"

#include "win/message_box_win.h"

namespace {

DialogScript* running = nullptr;
constexpr DWORD kStallLimitMs = 15000;

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && ::IsWindowVisible(window))
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

}  // namespace

DialogScript& DialogScript::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

DialogScript& DialogScript::Do(std::function<void()> action) {
    return Then([action] {
        action();
        return true;
    });
}

void DialogScript::Start() {
    running = this;
    running_ = true;
    started_ = ::GetTickCount();
    timer_ = ::SetTimer(nullptr, 0, 30, &DialogScript::OnTimer);
}

bool DialogScript::Finish() {
    if (timer_)
        ::KillTimer(nullptr, timer_);
    timer_ = 0;
    running = nullptr;
    return !timedOut_ && next_ == steps_.size();
}

void CALLBACK DialogScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (running)
        running->Advance();
}

void DialogScript::Advance() {
    // A step may pump messages (a message box, a nested loop): no re-entry.
    if (!running_)
        return;
    running_ = false;
    if (next_ < steps_.size()) {
        if (::GetTickCount() - started_ > kStallLimitMs) {
            timedOut_ = true;
            ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
        } else if (steps_[next_]()) {
            ++next_;
            started_ = ::GetTickCount();
        }
    }
    running_ = true;
}

std::vector<std::string>& ShownMessages() {
    static std::vector<std::string> messages;
    return messages;
}

void CollectMessages() {
    ShownMessages().clear();
    SetMessageBoxHook([](const char* text) { ShownMessages().push_back(text); });
}

HWND FindDialog(const std::string& caption) {
    HWND found = ::FindWindowA("#32770", caption.c_str());
    return found && ::IsWindowVisible(found) ? found : nullptr;
}

std::string ItemText(HWND dialog, int id) {
    HWND item = ::GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(item, &text[0], static_cast<int>(text.size()))));
    return text;
}

void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void SetCheck(HWND dialog, int id, bool checked) {
    ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    Click(dialog, id);
}

void SelectKind(HWND dialog, int item) {
    HWND combo = ::GetDlgItem(dialog, 1025);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1025, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SetPicker(HWND dialog, int id, const SYSTEMTIME& time) {
    SYSTEMTIME copy = time;
    ::SendMessageA(::GetDlgItem(dialog, id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&copy));
}

int ListRows(HWND dialog, int listId) {
    return static_cast<int>(::SendMessageA(::GetDlgItem(dialog, listId), LVM_GETITEMCOUNT, 0, 0));
}

std::string ListCell(HWND dialog, int listId, int row, int column) {
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(::GetDlgItem(dialog, listId), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    return text;
}

bool RowChecked(HWND dialog, int listId, int row) {
    return ListView_GetCheckState(::GetDlgItem(dialog, listId), row) != 0;
}

void SelectRow(HWND dialog, int listId, int row) {
    ListView_SetItemState(::GetDlgItem(dialog, listId), row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

void SetRowChecked(HWND dialog, int listId, int row, bool checked) {
    ListView_SetCheckState(::GetDlgItem(dialog, listId), row, checked);
}
