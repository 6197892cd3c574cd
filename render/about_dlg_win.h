#pragma once
// AboutDlg: the about picture in a borderless box. A left click on its link
// opens the product's web site and leaves the box open; any other click
// closes it.

#include <windows.h>

#include <string>

#include "win/dialog_win.h"
#include "win/unique_handle.h"

class AboutDlg : public CDialog {
public:
    // Runs without an owner window.
    explicit AboutDlg(std::string webAddress);

protected:
    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void Paint();
    // True when the cursor was set.
    bool ShowCursorFor(POINT client);
    void OpenWebAddress();

    UniqueBitmap picture_;
    HCURSOR handCursor_ = nullptr;  // shared system cursors: never destroyed
    HCURSOR arrowCursor_ = nullptr;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    std::string webAddress_;
};
