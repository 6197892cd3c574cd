#include "tests/wine/test_app_win.h"

TestApp& TheTestApp() {
    static TestApp app;
    static const bool started = (app.Run(::GetModuleHandleA(nullptr)), true);
    (void)started;
    return app;
}
