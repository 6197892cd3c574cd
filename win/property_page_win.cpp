#include "win/property_page_win.h"

#include "win/app_base_win.h"
#include "win/property_sheet_win.h"
#include "win/thunk_guard_win.h"

CPropertyPage::CPropertyPage(int templateId) : CDialog(templateId, nullptr) {}

CPropertyPage::CPropertyPage(const DLGTEMPLATE* dialogTemplate) : CDialog(dialogTemplate, nullptr) {}

bool CPropertyPage::OnApply() {
    OnOK();
    return true;
}

void CPropertyPage::OnHelp() {
    ::SendMessageA(::GetParent(Handle()), WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
}

bool CPropertyPage::OnCommand(WORD, WORD, HWND) {
    return false;
}

PROPSHEETPAGEA CPropertyPage::Describe(bool hasHelp) const {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    if (hasHelp)
        page.dwFlags |= PSP_HASHELP;
    if (!title_.empty()) {
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = title_.c_str();
    }
    page.hInstance = CWinApp::Current()->Instance();
    if (Template()) {
        page.dwFlags |= PSP_DLGINDIRECT;
        page.pResource = Template();
    } else {
        page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
    }
    page.pfnDlgProc = &CPropertyPage::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedCall("property page procedure", INT_PTR{FALSE}, [&]() -> INT_PTR {
        CPropertyPage* self = nullptr;
        if (message == WM_INITDIALOG) {
            // The sheet passes its own copy of our PROPSHEETPAGE, not the object.
            const auto* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
            self = reinterpret_cast<CPropertyPage*>(description->lParam);
            self->Attach(window);
            self->shown_ = true;
        } else {
            self = reinterpret_cast<CPropertyPage*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        }
        if (!self)
            return FALSE;
        if (message == WM_NOTIFY) {
            LRESULT answer = 0;
            if (self->DispatchSheetNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam, answer)) {
                ::SetWindowLongPtrA(window, DWLP_MSGRESULT, answer);
                return TRUE;
            }
        }
        return self->Dispatch(message, wParam, lParam);
    });
}

bool CPropertyPage::DispatchSheetNotify(const NMHDR& header, LPARAM, LRESULT& result) {
    if (header.hwndFrom != ::GetParent(Handle()))
        return false;
    switch (header.code) {
        case PSN_SETACTIVE:
            result = OnSetActive() ? 0 : -1;
            return true;
        case PSN_KILLACTIVE:
            result = OnKillActive() ? FALSE : TRUE;
            return true;
        case PSN_APPLY:
            if (OnApply()) {
                result = PSNRET_NOERROR;
                if (sheet_) {
                    sheet_->outcome_ = IDOK;
                    sheet_->pagesAnswered_ = true;
                }
            } else {
                result = PSNRET_INVALID_NOCHANGEPAGE;
            }
            return true;
        case PSN_QUERYCANCEL:
            result = OnQueryCancel() ? FALSE : TRUE;
            return true;
        case PSN_RESET:
            OnCancel();
            if (sheet_) {
                sheet_->outcome_ = IDCANCEL;
                sheet_->pagesAnswered_ = true;
            }
            result = 0;
            return true;
        case PSN_HELP:
            OnHelp();
            result = 0;
            return true;
        default:
            return false;
    }
}
