#include "win/modal_loop_win.h"

#include <cstring>

#include "win/thunk_guard_win.h"

namespace {

bool IsDialogWindow(HWND window) {
    char className[16] = {};
    return ::GetClassNameA(window, className, sizeof(className)) && std::strcmp(className, "#32770") == 0;
}

}  // namespace

bool TranslateDialogKeys(HWND modal, MSG* message) {
    HWND root = message->hwnd ? ::GetAncestor(message->hwnd, GA_ROOT) : nullptr;
    if (!root)
        return false;
    if (root != modal && !IsDialogWindow(root))
        return false;
    return ::IsDialogMessageA(root, message) != FALSE;
}

bool RunModalLoop(HWND window, const std::function<bool()>& ended, const std::function<bool(MSG*)>& translate) {
    MSG message;
    while (!ended() && ::IsWindow(window)) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got == -1)
            break;
        // Pre-translation is our code running on our loop, but an exception out of it
        // would skip the cleanup of every modal loop it unwinds (a disabled owner
        // left disabled): it counts as not translated.
        if (GuardedCall("message pre-translation", false, [&] { return translate(&message); }))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return true;
}
