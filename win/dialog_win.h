#pragma once
// CDialog: a dialog built from a template resource, with its own modal loop
// (so the window can look at messages before they are dispatched) or modeless.
// The static thunk stores `this` at WM_INITDIALOG and forwards to virtuals.

#include <windows.h>

#include "win/data_exchange_win.h"

class CDialog {
public:
    CDialog(int templateId, HWND owner);
    // A template built in memory; it must outlive every window made from it.
    CDialog(const DLGTEMPLATE* dialogTemplate, HWND owner);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window, runs the modal loop, destroys the window. -1 when the
    // window could not be created or its creation was refused, or when a quit
    // request ended the loop.
    INT_PTR DoModal();
    // Creates the window without a loop of its own; the message loop that runs
    // must call PreTranslateMessage itself if it needs it.
    bool CreateModeless(HWND parent);

    HWND Handle() const { return window_; }
    void EndDialog(INT_PTR result);
    // Runs DoDataExchange: true moves the controls' values into the members,
    // false the members into the controls. False when the exchange failed.
    bool UpdateData(bool saveAndValidate = true);

    // The dialog object behind a window of ours, null for any other window.
    static CDialog* FromHandle(HWND window);

protected:
    // Runs first at WM_INITDIALOG, like a creation handler: false refuses the
    // window, which is then destroyed (OnDestroy still runs).
    virtual bool OnCreate() { return true; }
    // By default fills the controls from the members.
    virtual BOOL OnInitDialog();
    // By default takes the controls' values and ends the dialog, unless that failed.
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // True when the command was handled.
    virtual bool OnCommand(WORD id, WORD notifyCode, HWND control);
    // A control's notification; true when handled, `result` is then its answer.
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // A horizontal track bar or scroll bar moved; the default processing follows.
    virtual void OnHScroll(WORD code, WORD position, HWND control);
    // Names the pairs of controls and members for UpdateData.
    virtual void DoDataExchange(DataExchange&) {}
    virtual void OnDestroy() {}
    // After the window is gone (WM_NCDESTROY); a modeless dialog may delete itself here.
    virtual void PostNcDestroy() {}
    // Sees every message of the modal loop before dispatch; true consumes it.
    // The application's main window sees the messages of every other modal loop
    // too, after that loop's own dialog.
    virtual bool PreTranslateMessage(MSG* message);
    // Every other message. Return true when handled; `result` is then the value
    // the message asks for (a brush, an icon, a notification result).
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    HWND Owner() const { return owner_; }
    void SetShowCommand(int command) { showCommand_ = command; }
    int TemplateId() const { return templateId_; }
    const DLGTEMPLATE* Template() const { return template_; }

    // Links the object and its window at WM_INITDIALOG; the window's messages
    // then go to Dispatch.
    void Attach(HWND window);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend bool PreTranslateInMainWindow(MSG* message, HWND modal);

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateWindowFor(HWND owner);
    void EnableOwnerAgain();
    void Detach();

    int templateId_ = 0;
    const DLGTEMPLATE* template_ = nullptr;
    HWND owner_;
    HWND window_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    bool ownerDisabled_ = false;  // by DoModal, until the dialog ends
    bool refused_ = false;
    INT_PTR result_ = -1;
    int showCommand_ = SW_SHOWNORMAL;
};

// Gives a message of a modal loop to the application's main window object, as
// the framework's application-level pre-translation does, unless `modal` is the
// main window itself (its own loop has asked it already). True when consumed.
bool PreTranslateInMainWindow(MSG* message, HWND modal);
