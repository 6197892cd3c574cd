#pragma once
// The decisions of the one-second tick: when to compose a new frame, when to
// rewrite the tray tooltip, and the tooltip's text. Times are clock times
// (app/clock_time.h).

#include <cstdint>
#include <string>

// The tray tooltip's buffer, terminator included.
constexpr size_t kTrayTipSize = 128;

// With a visible second hand every tick composes. Otherwise a frame is composed
// at the first tick after each quarter-minute mark: nextRedrawTime then moves to
// a mark 5 to 20 seconds ahead. A nextRedrawTime more than 20 seconds ahead can
// only mean that the shown time went back (clock set back, end of summer time,
// another zone); the face is redrawn at once instead of freezing until the time
// catches up.
bool ShouldComposeFrame(bool secondHandVisible, uint64_t now, uint64_t& nextRedrawTime);

// True when a refresh is pending, a minute boundary lies between prev and now,
// or now is more than a minute after prev (or before it: the unsigned difference
// is then huge). Whether the tooltip shows the time at all is the caller's test.
bool ShouldRefreshTooltip(bool refreshPending, uint64_t prev, uint64_t now);

// "<long date>\n<time>, <day name>", each piece cut to the room that is left so
// that the whole stays within kTrayTipSize - 1 characters.
std::string ComposeTrayTip(const std::string& longDate, const std::string& time, const std::string& dayName);

// Offset of the weekday (0 = Sunday) from the locale's first day name, Monday.
int DayNameIndex(int weekdayFromSunday);
