#include "win/app_base_win.h"

#include <optional>

#include "win/message_box_win.h"
#include "win/module_path_win.h"

namespace {
CWinApp* g_currentApp = nullptr;
}

CWinApp::CWinApp() {
    g_currentApp = this;
}

CWinApp::~CWinApp() {
    if (g_currentApp == this)
        g_currentApp = nullptr;
}

CWinApp* CWinApp::Current() {
    return g_currentApp;
}

int CWinApp::Run(HINSTANCE instance) {
    instance_ = instance;
    // The registry key comes from this name: a wrong one would silently run
    // the clock with another user's worth of defaults.
    const std::optional<std::string> path = ExecutablePath();
    if (!path) {
        ShowMessage(kPathUnknownMessage);
        return 0;
    }
    std::string name = *path;
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    appName_ = name;
    InitInstance();
    return 0;
}

void CWinApp::SetRegistryKey(const char* company) {
    profileKeyPath_ = std::string("Software\\") + company + "\\" + appName_;
}
