#pragma once
// The options sheet's share of the clock's options, copied out and back.

#include "app/clock_settings.h"
#include "options/option_values.h"

OptionValues OptionValuesOf(const ClockSettings& s);
// Only the members OptionValues has are changed.
void TakeOptionValues(const OptionValues& v, ClockSettings& s);
