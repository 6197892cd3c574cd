#pragma once
// The five steps of the Priority option as a process class and a priority of
// the user-interface thread.

#include <cstdint>

enum class ProcessClass { Idle, Normal, High, Unchanged };

struct PriorityChoice {
    ProcessClass processClass;
    int threadPriority;  // the platform's THREAD_PRIORITY_* value, -2..1
};

// 0..4 from lowest to highest; any other value leaves the process class alone
// and gives the thread normal priority.
PriorityChoice PriorityFor(int32_t priority);
