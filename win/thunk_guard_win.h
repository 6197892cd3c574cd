#pragma once
// Every place where Windows calls into us (dialog, page and window procedures,
// property-sheet callbacks) goes through GuardedCall: an exception must not
// unwind through the system's frames, which know nothing of C++ and are left in
// an undefined state. The handlers below a thunk therefore need no catches of
// their own; a failed handler answers as if it had not handled the message.

#include <utility>

namespace thunk_guard {

// Reports the exception being handled (debug output only: the user cannot act on it).
// Only to be called from inside a catch block.
void ReportCaught(const char* where) noexcept;

// Counts the exceptions caught since the start; lets tests see that one was caught.
unsigned CaughtCount() noexcept;

}  // namespace thunk_guard

template <typename Result, typename Body>
Result GuardedCall(const char* where, Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        thunk_guard::ReportCaught(where);
        return fallback;
    }
}
