#pragma once
// Keeps other clock processes out of the stored alarms while one of them
// saves or loads: several instances may run over the same store, and a load
// that finishes an interrupted save must not meet another's save in progress.

class AlarmStoreLock {
public:
    virtual ~AlarmStoreLock() = default;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};

// Holds `lock` (if any) for its own lifetime.
class AlarmStoreLockGuard {
public:
    explicit AlarmStoreLockGuard(AlarmStoreLock* lock) : lock_(lock) {
        if (lock_)
            lock_->Lock();
    }
    ~AlarmStoreLockGuard() {
        if (lock_)
            lock_->Unlock();
    }
    AlarmStoreLockGuard(const AlarmStoreLockGuard&) = delete;
    AlarmStoreLockGuard& operator=(const AlarmStoreLockGuard&) = delete;

private:
    AlarmStoreLock* lock_;
};
