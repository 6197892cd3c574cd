#pragma once
// The time the clock shows: local time, or the time of a chosen zone once its
// rules have been read. The tick and the alarms read it from here alone, so
// that an alarm rings at the time the face shows.

#include <windows.h>

#include <cstdint>
#include <optional>

class ShownTime {
public:
    // Shows the zone with these rules from now on.
    void UseZone(const TIME_ZONE_INFORMATION& zone) { zone_ = zone; }
    void UseLocalTime() { zone_.reset(); }
    bool HasZone() const { return zone_.has_value(); }

    SYSTEMTIME Now() const;
    uint64_t NowAsClockTime() const;

private:
    // Empty until a zone's rules have been read: a zone name alone never
    // changes the time shown.
    std::optional<TIME_ZONE_INFORMATION> zone_;
};
