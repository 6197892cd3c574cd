#pragma once
// CPropertySheet: a tabbed sheet of CPropertyPage objects, run modally on our
// own loop like CDialog, so that the main window's timers and pre-translation
// go on while it is open. The pages belong to the caller (usually members of a
// derived sheet) and must outlive DoModal.

#include <windows.h>

#include <prsht.h>

#include <string>
#include <vector>

class CPropertyPage;

// The command a sheet receives when its Help button is pressed (the framework's ID_HELP).
constexpr WORD ID_HELP = 0xE146;

class CPropertySheet {
public:
    explicit CPropertySheet(std::string caption, HWND parent = nullptr, int startPage = 0);
    virtual ~CPropertySheet();
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    // In the order the tabs show them.
    void AddPage(CPropertyPage* page);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // PSH_HASHELP, PSH_NOAPPLYNOW and the like; PSH_MODELESS and the callback are ours.
    void AddFlags(DWORD flags) { flags_ |= flags; }
    void SetStartPage(int index) { startPage_ = index; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    // IDOK or IDCANCEL; -1 when the sheet could not be created or a quit request ended it.
    // A sheet ended by anything but OK or Cancel (a quit request, its window
    // destroyed) ends as Cancel for its pages: each page shown gets OnCancel.
    INT_PTR DoModal();

    HWND Handle() const { return window_; }
    // The index of the page shown, in the order of AddPage; -1 without a sheet.
    int GetActiveIndex() const;
    // The text of one of the sheet's own buttons (IDOK, IDCANCEL, IDHELP).
    void SetButtonText(int buttonId, const char* text);

protected:
    // After the platform has built the sheet and its start page, before it is shown.
    virtual BOOL OnInitDialog() { return TRUE; }
    // A command to the sheet window; true when handled (the platform's handling is skipped).
    virtual bool OnCommand(WORD id, WORD notifyCode, HWND control);
    virtual void OnDestroy() {}
    // Sees every message of the sheet's loop first; true consumes it.
    virtual bool PreTranslateMessage(MSG* message);
    // Any other message to the sheet window; true when handled, `result` is then its answer.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    friend class CPropertyPage;

    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Our handling of a sheet message; false leaves it to the platform.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Subclass(HWND window);
    bool Closed() const;

    std::string caption_;
    HWND parent_;
    int startPage_;
    DWORD flags_ = 0;
    std::vector<CPropertyPage*> pages_;
    HWND window_ = nullptr;
    WNDPROC platformProc_ = nullptr;
    // What the pages last reported: IDOK after an accepted apply, IDCANCEL after a reset.
    INT_PTR outcome_ = IDCANCEL;
    // The pages got OK or Cancel from the platform during this showing.
    bool pagesAnswered_ = false;
};
