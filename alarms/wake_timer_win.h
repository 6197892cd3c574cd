#pragma once
// The waitable timer that wakes the computer for the next alarm. Windows
// honours the wake only where the power plan allows wake timers; the timer is
// set all the same.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "win/unique_handle.h"

class WakeTimer {
public:
    // Sets the timer to the UTC instant (a FILETIME count), or cancels it for
    // nullopt. Setting it to the instant it already has does nothing.
    void Arm(std::optional<uint64_t> utcDue);
    // The instant the timer was last set to, nullopt when it is not set.
    std::optional<uint64_t> ArmedDueTime() const { return armed_; }
    HANDLE Handle() const { return timer_.get(); }

private:
    UniqueKernelHandle timer_;
    std::optional<uint64_t> armed_;
};
