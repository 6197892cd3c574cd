#include <windows.h>

#include "app/tavix_app_win.h"

namespace {
CTavixApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    theApp.SetCommandLine(commandLine);
    return theApp.Run(instance);
}
