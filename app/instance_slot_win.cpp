#include "app/instance_slot_win.h"

#include <windows.h>

namespace {

constexpr const char* kFirst = "Tavix";

}  // namespace

bool InstanceSlot::Claim(bool multipleInstances, bool multipleTimeZones) {
    if (multipleInstances && !multipleTimeZones)
        return true;
    static const char* const kNames[] = {kFirst, "Tavix2", "Tavix3"};
    const int allowed = multipleTimeZones ? 3 : 1;
    for (int i = 0; i < allowed; ++i) {
        UniqueKernelHandle mutex(::CreateMutexA(nullptr, FALSE, kNames[i]));
        // Read before anything else runs: closing the previous handle may reset it.
        const DWORD error = ::GetLastError();
        mutex_ = std::move(mutex);
        if (mutex_ && error != ERROR_ALREADY_EXISTS) {
            first_ = i == 0;
            return true;
        }
    }
    // Every slot is taken: our handles to the other instances' mutexes go.
    mutex_.reset();
    return false;
}

bool InstanceSlot::RingsAlarms() {
    if (first_)
        return true;
    // Existence, not ownership, marks the holder: the name lives exactly as
    // long as some process has a handle to it, on Windows and under Wine
    // alike, and a clock that is killed closes its handles all the same. The
    // handle here is held only for the moment of asking, so it never keeps a
    // dead holder's name alive.
    UniqueKernelHandle mutex(::CreateMutexA(nullptr, FALSE, kFirst));
    const DWORD error = ::GetLastError();
    if (!mutex || error == ERROR_ALREADY_EXISTS)
        return false;
    // Clocks started without instance mutexes keep it as the mark alone.
    mutex_ = std::move(mutex);
    first_ = true;
    return true;
}

void InstanceSlot::Release() {
    mutex_.reset();
    first_ = false;
}
