#pragma once
// CWinApp: the one application object. WinMain hands it the instance and runs
// InitInstance; the program ends when that returns.

#include <windows.h>

#include <string>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() = 0;

    static CWinApp* Current();
    HINSTANCE Instance() const { return instance_; }
    // The executable's base name without extension.
    const std::string& AppName() const { return appName_; }
    // "Software\<company>\<application name>" once SetRegistryKey ran.
    const std::string& ProfileKeyPath() const { return profileKeyPath_; }
    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // Called by WinMain.
    int Run(HINSTANCE instance);

protected:
    void SetRegistryKey(const char* company);

private:
    HINSTANCE instance_ = nullptr;
    std::string appName_;
    std::string profileKeyPath_;
    HWND mainWindow_ = nullptr;
};
