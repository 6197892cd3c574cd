// The open-file dialog comes from a library looked up when it is first needed.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "alarms/file_choice_win.h"
#include "win/unique_handle.h"

namespace {

struct DialogWatch {
    DWORD thread = 0;
    std::atomic<bool> seen{false};
};

BOOL CALLBACK CancelOpenDialog(HWND window, LPARAM param) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (::IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0) {
        reinterpret_cast<DialogWatch*>(param)->seen = true;
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

// Cancels the dialog once it shows, within 20 s.
DWORD WINAPI WatchForDialog(void* param) {
    DialogWatch& watch = *static_cast<DialogWatch*>(param);
    for (int i = 0; i < 200 && !watch.seen; ++i) {
        ::Sleep(100);
        ::EnumThreadWindows(watch.thread, CancelOpenDialog, reinterpret_cast<LPARAM>(&watch));
    }
    return 0;
}

}  // namespace

TEST(FileChoice, TheSystemDialogOpensAndACancelChoosesNothing) {
    SetFileChooserForTesting(nullptr);
    DialogWatch watch;
    watch.thread = ::GetCurrentThreadId();
    UniqueKernelHandle watcher(::CreateThread(nullptr, 0, WatchForDialog, &watch, 0, nullptr));
    ASSERT_TRUE(watcher);
    const std::optional<std::string> chosen = ChooseFile({nullptr, "All files|*.*|", ""});
    ::WaitForSingleObject(watcher.get(), INFINITE);
    EXPECT_TRUE(watch.seen);
    EXPECT_FALSE(chosen.has_value());
}
