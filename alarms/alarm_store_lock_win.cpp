#include "alarms/alarm_store_lock_win.h"

#include <windows.h>

#include "win/unique_handle.h"

namespace {

// A save of a long list takes a fraction of a second; an instance that holds
// the lock far longer hangs, and must not hang this one too.
constexpr DWORD kWaitMilliseconds = 10000;

class NamedMutexLock : public AlarmStoreLock {
public:
    NamedMutexLock() : mutex_(::CreateMutexA(nullptr, FALSE, "TavixAlarms")) {}

    void Lock() override {
        // An abandoned mutex is ours all the same: its holder was killed, and
        // what it left is what the staged save is there to repair.
        const DWORD state = mutex_ ? ::WaitForSingleObject(mutex_.get(), kWaitMilliseconds) : WAIT_FAILED;
        held_ = state == WAIT_OBJECT_0 || state == WAIT_ABANDONED;
    }
    void Unlock() override {
        if (held_)
            ::ReleaseMutex(mutex_.get());
        held_ = false;
    }

private:
    UniqueKernelHandle mutex_;
    bool held_ = false;
};

}  // namespace

std::unique_ptr<AlarmStoreLock> MakeSessionAlarmStoreLock() {
    return std::make_unique<NamedMutexLock>();
}
