#include "win/dialog_win.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "win/app_base_win.h"
#include "win/modal_loop_win.h"
#include "win/thunk_guard_win.h"
#include "win/work_area_win.h"

namespace {

// The live dialog objects by window, for FromHandle. One user-interface thread
// and a handful of dialogs: a short list searched from the end.
std::vector<std::pair<HWND, CDialog*>>& LiveDialogs() {
    static std::vector<std::pair<HWND, CDialog*>> dialogs;
    return dialogs;
}

void Forget(HWND window) {
    auto& dialogs = LiveDialogs();
    dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(), [&](const auto& d) { return d.first == window; }),
                  dialogs.end());
}

}  // namespace

CDialog::CDialog(int templateId, HWND owner) : templateId_(templateId), owner_(owner) {}

CDialog::CDialog(const DLGTEMPLATE* dialogTemplate, HWND owner) : template_(dialogTemplate), owner_(owner) {}

CDialog::~CDialog() {
    if (window_ && ::IsWindow(window_)) {
        // The object is going away first: keep the thunk from reaching it.
        HWND window = window_;
        Detach();
        ::DestroyWindow(window);
    }
}

CDialog* CDialog::FromHandle(HWND window) {
    if (!window)
        return nullptr;
    const auto& dialogs = LiveDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (it->first == window)
            return it->second;
    }
    return nullptr;
}

void CDialog::Attach(HWND window) {
    window_ = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    LiveDialogs().emplace_back(window, this);
}

void CDialog::Detach() {
    if (!window_)
        return;
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    Forget(window_);
    window_ = nullptr;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    DataExchange exchange(window_, saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

bool CDialog::OnCommand(WORD id, WORD, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnNotify(NMHDR*, LRESULT&) {
    return false;
}

void CDialog::OnHScroll(WORD, WORD, HWND) {}

bool CDialog::PreTranslateMessage(MSG*) {
    return false;
}

bool CDialog::HandleMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

bool PreTranslateInMainWindow(MSG* message, HWND modal) {
    CWinApp* app = CWinApp::Current();
    HWND main = app ? app->MainWindow() : nullptr;
    if (!main || main == modal)
        return false;
    CDialog* mainDialog = CDialog::FromHandle(main);
    return mainDialog && mainDialog->PreTranslateMessage(message);
}

void CDialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (!modal_ && window_) {
        ::DestroyWindow(window_);
    } else if (window_) {
        // Its loop ends only when every loop nested in it has ended: until
        // then an ended dialog must neither show nor take clicks. As the
        // platform's own EndDialog does, the owner comes back first, so that
        // activation can return to it, then the dialog is hidden at once.
        EnableOwnerAgain();
        ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
}

void CDialog::EnableOwnerAgain() {
    if (ownerDisabled_)
        ::EnableWindow(owner_, TRUE);
    ownerDisabled_ = false;
}

HWND CDialog::CreateWindowFor(HWND owner) {
    HINSTANCE instance = CWinApp::Current()->Instance();
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (template_)
        return ::CreateDialogIndirectParamA(instance, template_, owner, &CDialog::DialogProc, self);
    return ::CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId_), owner, &CDialog::DialogProc, self);
}

bool CDialog::CreateModeless(HWND parent) {
    modal_ = false;
    owner_ = parent;
    refused_ = false;
    HWND created = CreateWindowFor(parent);
    if (!created || refused_) {
        if (created && ::IsWindow(created))
            ::DestroyWindow(created);
        return false;
    }
    return true;
}

INT_PTR CDialog::DoModal() {
    modal_ = true;
    ended_ = false;
    refused_ = false;
    result_ = -1;
    const bool ownerWasEnabled = owner_ && ::IsWindowEnabled(owner_);
    HWND created = CreateWindowFor(owner_);
    bool quit = false;
    if (created && !refused_) {
        if (ownerWasEnabled) {
            ::EnableWindow(owner_, FALSE);
            ownerDisabled_ = true;
        }
        ::ShowWindow(created, showCommand_);
        quit = !RunModalLoop(
            created, [this] { return ended_; },
            [this, created](MSG* message) {
                return PreTranslateMessage(message) || PreTranslateInMainWindow(message, created) ||
                       TranslateDialogKeys(created, message);
            });
        // Before the window goes, so that activation returns to the owner.
        EnableOwnerAgain();
    }
    if (created && ::IsWindow(created))
        ::DestroyWindow(created);
    return refused_ || !created || quit ? -1 : result_;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedCall("dialog procedure", INT_PTR{FALSE}, [&]() -> INT_PTR {
        CDialog* self = nullptr;
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<CDialog*>(lParam);
            self->Attach(window);
        } else {
            self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        }
        if (!self)
            return FALSE;
        return self->Dispatch(message, wParam, lParam);
    });
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (!OnCreate()) {
                refused_ = true;
                return FALSE;
            }
            return OnInitDialog();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            LRESULT answer = 0;
            if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), answer))
                break;
            ::SetWindowLongPtrA(window_, DWLP_MSGRESULT, answer);
            return TRUE;
        }
        case WM_HSCROLL:
            OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_DESTROY: {
            OnDestroy();
            return FALSE;
        }
        case WM_NCDESTROY: {
            Detach();
            ended_ = true;
            PostNcDestroy();  // may delete this
            return FALSE;
        }
        default:
            break;
    }
    INT_PTR result = 0;
    if (!HandleMessage(message, wParam, lParam, result)) {
        if (message == DM_REPOSITION) {
            // Windows' dialog manager does this itself; Wine's ignores the request.
            MoveIntoWorkArea(window_);
            return TRUE;
        }
        return FALSE;
    }
    switch (message) {
        // These return their value directly instead of through DWLP_MSGRESULT.
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return result;
        default:
            ::SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
            return TRUE;
    }
}
