#include "win/thunk_guard_win.h"

#include <windows.h>

#include <exception>

namespace {
// One user-interface thread: a plain counter is enough.
unsigned caughtCount = 0;
}  // namespace

namespace thunk_guard {

void ReportCaught(const char* where) noexcept {
    ++caughtCount;
    const char* what = "unknown exception";
    try {
        throw;
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    // Built in a fixed buffer: the exception may well be an out-of-memory one.
    char text[256];
    ::wsprintfA(text, "Tavix: %.100s stopped by an exception: %.120s\n", where, what);
    ::OutputDebugStringA(text);
}

unsigned CaughtCount() noexcept {
    return caughtCount;
}

}  // namespace thunk_guard
