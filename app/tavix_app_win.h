#pragma once

#include <string>

#include "win/app_base_win.h"

class CTavixApp : public CWinApp {
public:
    BOOL InitInstance() override;

    // The text after the program name, as WinMain received it.
    void SetCommandLine(const char* tail) { commandLine_ = tail ? tail : ""; }
    const std::string& CommandLine() const { return commandLine_; }

private:
    std::string commandLine_;
};

CTavixApp& TheApp();
