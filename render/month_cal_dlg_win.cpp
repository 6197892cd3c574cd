#include "render/month_cal_dlg_win.h"

#include <commctrl.h>

#include <optional>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "render/month_cal_layout.h"
#include "res/resource.h"
#include "win/app_base_win.h"
#include "win/work_area_win.h"

CMonthCalDlg::CMonthCalDlg(HWND owner) : CDialog(IDD_CLOCK, owner) {}

BOOL CMonthCalDlg::OnInitDialog() {
    HWND dialog = Handle();
    HINSTANCE instance = CWinApp::Current()->Instance();
    // The program registers the common controls without the date classes.
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&classes);

    // The clock's template is a bare popup: the calendar gets a caption with a close box.
    ::SetWindowLongPtrA(dialog, GWL_STYLE,
                        ::GetWindowLongPtrA(dialog, GWL_STYLE) | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    ::SetWindowLongPtrA(dialog, GWL_EXSTYLE, ::GetWindowLongPtrA(dialog, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    ::SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ::SetWindowTextA(dialog, TheLanguageTable().Text(lang::kCalendarCaption));

    const HMENU calendarId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MONTH_CALENDAR));
    calendar_ = ::CreateWindowExA(0, MONTHCAL_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, dialog, calendarId,
                                  instance, nullptr);
    std::optional<CalendarRect> minimum;
    if (calendar_) {
        // Today's line is shown.
        ::SetWindowLongPtrA(calendar_, GWL_STYLE, ::GetWindowLongPtrA(calendar_, GWL_STYLE) & ~LONG_PTR{MCS_NOTODAY});
        RECT r = {};
        if (::SendMessageA(calendar_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r))) {
            minimum = CalendarRect{r.left, r.top, r.right, r.bottom};
            ::SetWindowPos(calendar_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        }
    }
    const MonthCalLayout layout = LayOutMonthCalendar(minimum);
    if (layout.dialogSize) {
        ::SetWindowPos(dialog, nullptr, 0, 0, layout.dialogSize->right, layout.dialogSize->bottom,
                       SWP_NOMOVE | SWP_NOZORDER);
    }
    const CalendarRect& b = layout.okButton;
    okButton_ = ::CreateWindowExA(0, "BUTTON", TheLanguageTable().Text(lang::kClose),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, b.left, b.top,
                                  b.right - b.left, b.bottom - b.top, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    const WPARAM font = static_cast<WPARAM>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (okButton_ && font)
        ::SendMessageA(okButton_, WM_SETFONT, font, FALSE);
    // The template puts the box at the clock's corner; near a screen edge that
    // is partly off the screen.
    MoveIntoWorkArea(dialog);
    return TRUE;
}
