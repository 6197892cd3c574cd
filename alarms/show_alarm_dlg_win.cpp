#include "alarms/show_alarm_dlg_win.h"

#include <memory>
#include <string>

#include "alarms/alarm_snooze.h"
#include "alarms/notice_description.h"
#include "core/language_strings.h"
#include "core/language_table.h"
#include "res/resource.h"
#include "win/unique_handle.h"

namespace {

// BeginPaint and EndPaint with the PAINTSTRUCT both need.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace

CShowAlarmDlg::CShowAlarmDlg(const AlarmRecord& alarm)
    : CDialog(IDD_SHOW_ALARM, nullptr), alarm_(alarm), sound_(alarm_) {}

HWND CShowAlarmDlg::Open(const AlarmRecord& alarm) {
    std::unique_ptr<CShowAlarmDlg> dialog(new CShowAlarmDlg(alarm));
    if (!dialog->CreateModeless(nullptr))
        return nullptr;
    dialog->ownsItself_ = true;
    return dialog.release()->Handle();
}

BOOL CShowAlarmDlg::OnInitDialog() {
    try {
        const std::string caption = std::string(TheLanguageTable().Text(lang::kNoticeHeading)) + " - " + alarm_.Name;
        ::SetWindowTextA(Handle(), caption.c_str());
        ::SetDlgItemTextA(Handle(), IDOK, TheLanguageTable().Text(lang::kClose));
        ::SetDlgItemTextA(Handle(), IDC_ALARM_SNOOZE, TheLanguageTable().Text(lang::kSnoozeButton));
        if (!alarm_.Description.empty()) {
            ::ShowWindow(::GetDlgItem(Handle(), IDC_ALARM_DESCRIPTION), SW_SHOW);
            const std::string shown =
                ShownDescription(alarm_.Description, [](unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; });
            ::SetDlgItemTextA(Handle(), IDC_ALARM_DESCRIPTION, shown.c_str());
        }
    } catch (...) {
        // Out of memory for a caption: the window still opens.
    }
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::ShowWindow(Handle(), SW_SHOW);
    ::BringWindowToTop(Handle());
    return TRUE;
}

void CShowAlarmDlg::RingSnoozed() {
    for (const AlarmRecord& alarm : TheSnoozedAlarms().TakeDue(::GetTickCount64()))
        Open(alarm);
}

bool CShowAlarmDlg::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id != IDC_ALARM_SNOOZE)
        return CDialog::OnCommand(id, notifyCode, control);
    SnoozedAlarms& snoozed = TheSnoozedAlarms();
    snoozed.Add(alarm_, ::GetTickCount64() + snoozed.Length());
    OnCancel();
    return true;
}

void CShowAlarmDlg::PostNcDestroy() {
    // Deleting stops the sound (NoticeSound) before the object goes.
    if (ownsItself_)
        delete this;
}

bool CShowAlarmDlg::HandleMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message != WM_PAINT)
        return false;
    Paint();
    result = 0;
    return true;
}

void CShowAlarmDlg::Paint() {
    PaintScope paint(Handle());
    HDC dc = paint.dc();
    if (!dc)
        return;
    RECT area;
    ::GetClientRect(Handle(), &area);
    area.top = 10;
    area.bottom = 80;
    ::SetBkMode(dc, TRANSPARENT);
    UniqueFont font(::CreateFontA(-26, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_ROMAN, "Arial"));
    SelectGuard selected(dc, font.get());
    ::SetTextColor(dc, RGB(255, 0, 0));
    ::DrawTextA(dc, TheLanguageTable().Text(lang::kNoticeHeading), -1, &area, DT_CENTER | DT_SINGLELINE);
    if (alarm_.Description.empty()) {
        area.top = 60;
        area.bottom = 300;
        ::SetTextColor(dc, RGB(0, 0, 255));
        ::DrawTextA(dc, alarm_.Name.c_str(), -1, &area, DT_CENTER | DT_WORDBREAK);
    }
}
