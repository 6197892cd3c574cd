#pragma once
// The one notice that lists the alarms that fell due while the computer slept
// or no clock ran.

#include <string>
#include <vector>

#include "alarms/alarm_catch_up.h"

// The heading, then one line per alarm: date, time and name.
std::string MissedNoticeText(const std::vector<MissedAlarm>& missed);
// A top-most message box with that text; nothing for an empty list.
void ShowMissedNotice(const std::vector<MissedAlarm>& missed);
