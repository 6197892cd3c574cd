#include "app/priority.h"

PriorityChoice PriorityFor(int32_t priority) {
    switch (priority) {
        case 0:
            return {ProcessClass::Idle, -2};
        case 1:
            return {ProcessClass::Idle, -1};
        case 2:
            return {ProcessClass::Idle, 0};
        case 3:
            return {ProcessClass::Normal, 1};
        case 4:
            return {ProcessClass::High, 1};
        default:
            return {ProcessClass::Unchanged, 0};
    }
}
