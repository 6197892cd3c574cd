#pragma once
// The lock of the stored alarms shared by all clock processes of the session:
// a named mutex.

#include <memory>

#include "alarms/alarm_store_lock.h"

std::unique_ptr<AlarmStoreLock> MakeSessionAlarmStoreLock();
