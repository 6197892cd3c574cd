#include "app/priority.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Priority, FiveStepsAndAnythingElseLeavesTheProcessAlone) {
    const struct {
        int32_t priority;
        ProcessClass processClass;
        int threadPriority;
    } cases[] = {
        {0, ProcessClass::Idle, -2},
        {1, ProcessClass::Idle, -1},
        {2, ProcessClass::Idle, 0},
        {3, ProcessClass::Normal, 1},
        {4, ProcessClass::High, 1},
        {5, ProcessClass::Unchanged, 0},
        {-1, ProcessClass::Unchanged, 0},
        {INT32_MIN, ProcessClass::Unchanged, 0},
        {INT32_MAX, ProcessClass::Unchanged, 0},
    };
    for (const auto& c : cases) {
        const PriorityChoice choice = PriorityFor(c.priority);
        EXPECT_EQ(choice.processClass, c.processClass) << c.priority;
        EXPECT_EQ(choice.threadPriority, c.threadPriority) << c.priority;
    }
}
