#pragma once
// The time the clock shows: local time, or the time of a chosen zone once its
// rules have been read. The tick and the alarms read it from here alone, so
// that an alarm rings at the time the face shows.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

class ShownTime {
public:
    // Shows the zone with these rules from now on; zoneName is its key in the
    // time-zone database.
    void UseZone(std::string zoneName, const TIME_ZONE_INFORMATION& rules);
    void UseLocalTime();
    bool HasZone() const { return zone_.has_value(); }
    // The zone shown, empty for local time.
    const std::string& ZoneName() const { return zoneName_; }

    SYSTEMTIME Now() const;
    uint64_t NowAsClockTime() const;
    // The zone's wall-clock time at a UTC instant, with the daylight-saving
    // rules of that instant's year; nullopt for local time or when the
    // platform's conversion is missing or refuses.
    std::optional<SYSTEMTIME> ZoneTimeAt(const SYSTEMTIME& utc) const;

private:
    // Empty until a zone's rules have been read: a zone name alone never
    // changes the time shown.
    std::optional<TIME_ZONE_INFORMATION> zone_;
    std::string zoneName_;
};
