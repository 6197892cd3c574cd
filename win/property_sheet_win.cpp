#include "win/property_sheet_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "win/app_base_win.h"
#include "win/dialog_win.h"
#include "win/modal_loop_win.h"
#include "win/property_page_win.h"
#include "win/thunk_guard_win.h"
#include "win/work_area_win.h"

namespace {

// The sheet's callback carries no user data: the sheet being created is known
// here. One user-interface thread, and no sheet is created inside another's creation.
CPropertySheet* sheetBeingCreated = nullptr;

constexpr char kSheetProperty[] = "TavixPropertySheet";

// The sheet starts hidden, so that it appears only once OnInitDialog has placed it.
void ClearVisibleStyle(void* dialogTemplate) {
    auto* bytes = static_cast<unsigned char*>(dialogTemplate);
    WORD head[2];
    std::memcpy(head, bytes, sizeof(head));
    // DLGTEMPLATEEX begins with version 1 and signature 0xFFFF; its style follows
    // the help id and the extended style. DLGTEMPLATE begins with its style.
    const size_t styleOffset = head[0] == 1 && head[1] == 0xFFFF ? 12 : 0;
    DWORD style;
    std::memcpy(&style, bytes + styleOffset, sizeof(style));
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(bytes + styleOffset, &style, sizeof(style));
}

// Ctrl+Tab and the other sheet keys for the sheet; plain dialog keys for the
// modeless dialogs that live on the same loop.
bool TranslateSheetKeys(HWND sheet, MSG* message) {
    if (message->hwnd && ::GetAncestor(message->hwnd, GA_ROOT) == sheet)
        return PropSheet_IsDialogMessage(sheet, message) != FALSE;
    return TranslateDialogKeys(sheet, message);
}

}  // namespace

CPropertySheet::CPropertySheet(std::string caption, HWND parent, int startPage)
    : caption_(std::move(caption)), parent_(parent), startPage_(startPage) {}

CPropertySheet::~CPropertySheet() {
    if (window_ && ::IsWindow(window_)) {
        // The object is going away first: hand the window back to the platform.
        ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProc_));
        ::RemovePropA(window_, kSheetProperty);
        ::DestroyWindow(window_);
    }
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->sheet_ = this;
    pages_.push_back(page);
}

bool CPropertySheet::OnCommand(WORD, WORD, HWND) {
    return false;
}

bool CPropertySheet::PreTranslateMessage(MSG*) {
    return false;
}

bool CPropertySheet::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

int CPropertySheet::GetActiveIndex() const {
    if (!window_)
        return -1;
    // The tab, not the current page window: it still answers after OK or Cancel.
    return TabCtrl_GetCurSel(PropSheet_GetTabControl(window_));
}

void CPropertySheet::SetButtonText(int buttonId, const char* text) {
    ::SetDlgItemTextA(window_, buttonId, text);
}

bool CPropertySheet::Closed() const {
    // A modeless sheet does not destroy itself: after OK or Cancel it only
    // drops its current page.
    return !::IsWindow(window_) || PropSheet_GetCurrentPageHwnd(window_) == nullptr;
}

INT_PTR CPropertySheet::DoModal() {
    if (pages_.empty() || window_)
        return -1;
    const bool hasHelp = (flags_ & PSH_HASHELP) != 0;
    std::vector<PROPSHEETPAGEA> descriptions;
    descriptions.reserve(pages_.size());
    for (CPropertyPage* page : pages_)
        descriptions.push_back(page->Describe(hasHelp));

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    // Modeless, run on our own loop: the same loop as every dialog, so that the
    // main window's pre-translation and the modeless dialogs' keys go on.
    header.dwFlags = flags_ | PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    header.hwndParent = parent_;
    header.hInstance = CWinApp::Current()->Instance();
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = static_cast<UINT>(std::clamp(startPage_, 0, PageCount() - 1));
    header.ppsp = descriptions.data();
    header.pfnCallback = &CPropertySheet::SheetCallback;

    outcome_ = IDCANCEL;
    pagesAnswered_ = false;
    for (CPropertyPage* page : pages_)
        page->shown_ = false;
    const bool parentWasEnabled = parent_ && ::IsWindowEnabled(parent_);
    sheetBeingCreated = this;
    const INT_PTR made = ::PropertySheetA(&header);
    sheetBeingCreated = nullptr;
    HWND created = made == -1 ? nullptr : reinterpret_cast<HWND>(made);
    if (!created || !::IsWindow(created))
        return -1;
    if (!window_)
        Subclass(created);

    GuardedCall("property sheet initialization", BOOL{FALSE}, [this] { return OnInitDialog(); });
    if (parentWasEnabled)
        ::EnableWindow(parent_, FALSE);
    ::ShowWindow(created, SW_SHOW);
    const bool quit = !RunModalLoop(
        created, [this] { return Closed(); },
        [this, created](MSG* message) {
            return PreTranslateMessage(message) || PreTranslateInMainWindow(message, created) ||
                   TranslateSheetKeys(created, message);
        });
    // Neither OK nor Cancel reached the pages (a quit request, or the window
    // destroyed from outside): their previews are undone as Cancel would, before
    // the caller or the program's exit writes the settings.
    if (!pagesAnswered_) {
        for (CPropertyPage* page : pages_) {
            if (page->WasShown())
                GuardedCall("property page cancel", 0, [page] {
                    page->OnCancel();
                    return 0;
                });
        }
        outcome_ = IDCANCEL;
    }
    // Before the sheet goes, so that activation returns to the parent.
    if (parentWasEnabled)
        ::EnableWindow(parent_, TRUE);
    if (::IsWindow(created))
        ::DestroyWindow(created);
    return quit ? -1 : outcome_;
}

int CALLBACK CPropertySheet::SheetCallback(HWND window, UINT message, LPARAM lParam) {
    return GuardedCall("property sheet callback", 0, [&] {
        if (message == PSCB_PRECREATE && lParam)
            ClearVisibleStyle(reinterpret_cast<void*>(lParam));
        else if (message == PSCB_INITIALIZED && sheetBeingCreated && !sheetBeingCreated->window_)
            sheetBeingCreated->Subclass(window);
        return 0;
    });
}

void CPropertySheet::Subclass(HWND window) {
    window_ = window;
    ::SetPropA(window, kSheetProperty, this);
    platformProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPropertySheet::SheetProc)));
}

LRESULT CALLBACK CPropertySheet::SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CPropertySheet*>(::GetPropA(window, kSheetProperty));
    if (!self)
        return ::DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC platformProc = self->platformProc_;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProc));
        ::RemovePropA(window, kSheetProperty);
        self->window_ = nullptr;
        return ::CallWindowProcA(platformProc, window, message, wParam, lParam);
    }
    LRESULT result = 0;
    // A handler that failed counts as not handled: the platform's processing still runs.
    if (GuardedCall("property sheet procedure", false, [&] { return self->Dispatch(message, wParam, lParam, result); }))
        return result;
    return ::CallWindowProcA(platformProc, window, message, wParam, lParam);
}

bool CPropertySheet::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            result = 0;
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DESTROY:
            OnDestroy();
            return false;
        default:
            break;
    }
    if (HandleMessage(message, wParam, lParam, result))
        return true;
    if (message == DM_REPOSITION) {
        // Windows' dialog manager does this itself; Wine's ignores the request.
        MoveIntoWorkArea(window_);
        result = 0;
        return true;
    }
    return false;
}
