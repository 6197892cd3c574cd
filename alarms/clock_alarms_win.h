#pragma once
// The clock window's alarms (alarms/clock_alarms.h) with the platform's
// actions and time zone.

#include <cstdint>

#include "alarms/clock_alarms.h"

// The system's local time minus UTC, daylight saving included.
int32_t SystemUtcOffsetMinutes();
