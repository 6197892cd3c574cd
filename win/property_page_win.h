#pragma once
// CPropertyPage: one page of a CPropertySheet. The sheet creates the page's
// window the first time the page is shown; the page's WM_INITDIALOG carries the
// sheet's copy of the PROPSHEETPAGE, whose lParam is this object. The sheet's
// notifications come back here as virtuals, their answers go out through
// DWLP_MSGRESULT.

#include <windows.h>

#include <prsht.h>

#include <string>

#include "win/dialog_win.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(int templateId);
    explicit CPropertyPage(const DLGTEMPLATE* dialogTemplate);

    // The tab's text; the template's caption when none is set.
    void SetTitle(std::string title) { title_ = std::move(title); }
    CPropertySheet* Sheet() const { return sheet_; }
    // True once the page has been shown (its window made) during this showing of the sheet.
    bool WasShown() const { return shown_; }

protected:
    // The page becomes the current one; false keeps the sheet on the page it was on.
    virtual bool OnSetActive() { return true; }
    // The page is about to be left (another tab, or OK); false keeps it current.
    // By default takes the controls' values (UpdateData).
    virtual bool OnKillActive() { return UpdateData(true); }
    // OK was pressed: the page applies its values. Only pages that were shown get it.
    void OnOK() override {}
    // Cancel (button, Escape or close box): only pages that were shown get it.
    void OnCancel() override {}
    // Before the sheet is cancelled; false keeps it open.
    virtual bool OnQueryCancel() { return true; }
    // Runs OnOK; false refuses to close the sheet and brings this page forward.
    virtual bool OnApply();
    // The sheet's Help button; by default the sheet gets the help command (ID_HELP).
    virtual void OnHelp();
    // The sheet's OK and Cancel buttons are not the page's own commands.
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;

private:
    friend class CPropertySheet;

    PROPSHEETPAGEA Describe(bool hasHelp) const;
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The sheet's own notifications (PSN_*); false for any other message.
    bool DispatchSheetNotify(const NMHDR& header, LPARAM lParam, LRESULT& result);

    std::string title_;
    CPropertySheet* sheet_ = nullptr;
    bool shown_ = false;
};
