#include "alarms/wake_timer_win.h"

void WakeTimer::Arm(std::optional<uint64_t> utcDue) {
    if (utcDue == armed_)
        return;
    if (!utcDue) {
        if (timer_)
            ::CancelWaitableTimer(timer_.get());
        armed_.reset();
        return;
    }
    if (!timer_) {
        timer_.reset(::CreateWaitableTimerW(nullptr, TRUE, nullptr));
        if (!timer_)
            return;
    }
    // A positive due time is an absolute UTC instant. Resume asks the system
    // to wake for it; where it cannot, the call still sets the timer and only
    // reports ERROR_NOT_SUPPORTED.
    LARGE_INTEGER due;
    due.QuadPart = static_cast<LONGLONG>(*utcDue);
    if (::SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, TRUE))
        armed_ = utcDue;
    else
        armed_.reset();
}
