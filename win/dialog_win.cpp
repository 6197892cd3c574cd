#include "win/dialog_win.h"

#include <cstring>

#include "win/app_base_win.h"

namespace {

bool IsDialogWindow(HWND window) {
    char className[16] = {};
    return ::GetClassNameA(window, className, sizeof(className)) && std::strcmp(className, "#32770") == 0;
}

// Keyboard navigation (Tab, Enter, Escape) for whichever dialog the message is
// aimed at: the modal one, and the modeless ones (alarm notices) that live on
// its loop, which have no loop of their own.
bool TranslateDialogKeys(HWND modal, MSG* message) {
    HWND root = message->hwnd ? ::GetAncestor(message->hwnd, GA_ROOT) : nullptr;
    if (!root)
        return false;
    if (root != modal && !IsDialogWindow(root))
        return false;
    return ::IsDialogMessageA(root, message) != FALSE;
}

}  // namespace

CDialog::CDialog(int templateId, HWND owner) : templateId_(templateId), owner_(owner) {}

CDialog::~CDialog() {
    if (window_ && ::IsWindow(window_)) {
        // The object is going away first: keep the thunk from reaching it.
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
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

bool CDialog::PreTranslateMessage(MSG*) {
    return false;
}

bool CDialog::HandleMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

void CDialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (!modal_ && window_)
        ::DestroyWindow(window_);
}

bool CDialog::CreateModeless(HWND parent) {
    modal_ = false;
    owner_ = parent;
    HWND created = ::CreateDialogParamA(CWinApp::Current()->Instance(), MAKEINTRESOURCEA(templateId_), parent,
                                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
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
    HWND created = ::CreateDialogParamA(CWinApp::Current()->Instance(), MAKEINTRESOURCEA(templateId_), owner_,
                                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (created && !refused_) {
        if (ownerWasEnabled)
            ::EnableWindow(owner_, FALSE);
        ::ShowWindow(created, showCommand_);
        MSG message;
        while (!ended_ && ::IsWindow(created)) {
            const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
            if (got == 0) {
                // A quit request ends every loop: leave it for the loops outside.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (got == -1)
                break;
            if (PreTranslateMessage(&message))
                continue;
            if (TranslateDialogKeys(created, &message))
                continue;
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (ownerWasEnabled)
            ::EnableWindow(owner_, TRUE);
    }
    if (created && ::IsWindow(created))
        ::DestroyWindow(created);
    return refused_ || !created ? -1 : result_;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->window_ = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (!self)
        return FALSE;
    return self->Dispatch(message, wParam, lParam);
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
        case WM_DESTROY: {
            OnDestroy();
            return FALSE;
        }
        case WM_NCDESTROY: {
            HWND window = window_;
            window_ = nullptr;
            ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            ended_ = true;
            PostNcDestroy();  // may delete this
            return FALSE;
        }
        default:
            break;
    }
    INT_PTR result = 0;
    if (!HandleMessage(message, wParam, lParam, result))
        return FALSE;
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
