#include "render/about_dlg_win.h"

#include <objbase.h>
#include <shellapi.h>
#include <windowsx.h>

#include <utility>

#include "render/about_link.h"
#include "res/resource.h"
#include "win/app_base_win.h"
#include "win/monitor_dpi_win.h"
#include "win/paint_scope_win.h"

namespace {

POINT ClientPoint(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The shell may hand the address to an extension that needs COM on this thread.
class ComScope {
public:
    ComScope()
        : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComScope() {
        if (initialized_)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized_;
};

}  // namespace

AboutDlg::AboutDlg(std::string webAddress) : CDialog(IDD_CLOCK, nullptr), webAddress_(std::move(webAddress)) {}

BOOL AboutDlg::OnInitDialog() {
    const int percent = AboutPicturePercent(WindowDpi(Handle()));
    const int id = percent == 200 ? IDB_ABOUT_200 : percent == 150 ? IDB_ABOUT_150 : IDB_ABOUT;
    picture_.reset(static_cast<HBITMAP>(
        ::LoadImageA(CWinApp::Current()->Instance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP info = {};
    if (picture_ && ::GetObjectA(picture_.get(), sizeof(info), &info) == sizeof(info)) {
        pictureWidth_ = info.bmWidth;
        pictureHeight_ = info.bmHeight;
    }
    ::SetWindowPos(Handle(), nullptr, 0, 0, pictureWidth_, pictureHeight_, SWP_NOMOVE | SWP_NOZORDER);
    // The empty template would leave the box in the screen's corner: it opens
    // in the middle of the work area instead.
    RECT work;
    if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        ::SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - pictureWidth_) / 2,
                       work.top + (work.bottom - work.top - pictureHeight_) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    handCursor_ = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));   // IDC_HAND
    arrowCursor_ = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    return TRUE;
}

bool AboutDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_PAINT:
            Paint();
            result = 0;
            return true;
        case WM_ERASEBKGND:
            // The picture covers the whole box.
            result = 1;
            return true;
        case WM_MOUSEMOVE:
            ShowCursorFor(ClientPoint(lParam));
            return false;
        case WM_SETCURSOR: {
            // Without this the class cursor would replace ours at every move.
            if (LOWORD(lParam) != HTCLIENT)
                return false;
            POINT p = {};
            ::GetCursorPos(&p);
            ::ScreenToClient(Handle(), &p);
            if (!ShowCursorFor(p))
                return false;
            result = TRUE;
            return true;
        }
        case WM_LBUTTONDOWN: {
            const POINT p = ClientPoint(lParam);
            if (InAboutLink(p.x, p.y, pictureWidth_))
                OpenWebAddress();
            else
                EndDialog(IDOK);
            result = 0;
            return true;
        }
        case WM_RBUTTONDOWN:
            EndDialog(IDOK);
            result = 0;
            return true;
        default:
            (void)wParam;
            return false;
    }
}

void AboutDlg::Paint() {
    PaintScope paint(Handle());
    if (!paint || !picture_)
        return;
    UniqueMemoryDC memory(::CreateCompatibleDC(paint.dc()));
    if (!memory)
        return;
    SelectGuard selected(memory.get(), picture_.get());
    ::BitBlt(paint.dc(), 0, 0, pictureWidth_, pictureHeight_, memory.get(), 0, 0, SRCCOPY);
}

bool AboutDlg::ShowCursorFor(POINT client) {
    if (!handCursor_ || !arrowCursor_)
        return false;
    ::SetCursor(InAboutLink(client.x, client.y, pictureWidth_) ? handCursor_ : arrowCursor_);
    return true;
}

void AboutDlg::OpenWebAddress() {
    ComScope com;
    ::ShellExecuteA(Handle(), "open", webAddress_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
