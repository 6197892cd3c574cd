#pragma once
// Reads the rules of the zone named by DefaultTimeZone and has the clock show
// it. Afterwards DefaultTimeZone always names the zone shown (empty: local
// time), so the setting saved is the zone the face showed.

#include <string>

#include "options/shown_time_win.h"
#include "options/time_zone_database_win.h"

// - empty name: local time;
// - a zone that cannot be opened: the name is emptied, local time;
// - a zone without usable rules: the zone shown before stays, name and rules
//   (local time when there was none), so that the face never shows one zone's
//   time under another zone's name.
void SelectTimeZone(std::string& defaultTimeZone,
                    ShownTime& shownTime,
                    const TimeZoneDatabase& database = TimeZoneDatabase());
