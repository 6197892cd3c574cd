#pragma once
// CDialog: a dialog built from a template resource, with its own modal loop
// (so the window can look at messages before they are dispatched) or modeless.
// The static thunk stores `this` at WM_INITDIALOG and forwards to virtuals.

#include <windows.h>

class CDialog {
public:
    CDialog(int templateId, HWND owner);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window, runs the modal loop, destroys the window. -1 when the
    // window could not be created or its creation was refused.
    INT_PTR DoModal();
    // Creates the window without a loop of its own; the message loop that runs
    // must call PreTranslateMessage itself if it needs it.
    bool CreateModeless(HWND parent);

    HWND Handle() const { return window_; }
    void EndDialog(INT_PTR result);

protected:
    // Runs first at WM_INITDIALOG, like a creation handler: false refuses the
    // window, which is then destroyed (OnDestroy still runs).
    virtual bool OnCreate() { return true; }
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // True when the command was handled.
    virtual bool OnCommand(WORD id, WORD notifyCode, HWND control);
    virtual void OnDestroy() {}
    // After the window is gone (WM_NCDESTROY); a modeless dialog may delete itself here.
    virtual void PostNcDestroy() {}
    // Sees every message of the modal loop before dispatch; true consumes it.
    virtual bool PreTranslateMessage(MSG* message);
    // Every other message. Return true when handled; `result` is then the value
    // the message asks for (a brush, an icon, a notification result).
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    HWND Owner() const { return owner_; }
    void SetShowCommand(int command) { showCommand_ = command; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND owner_;
    HWND window_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    bool refused_ = false;
    INT_PTR result_ = -1;
    int showCommand_ = SW_SHOWNORMAL;
};
