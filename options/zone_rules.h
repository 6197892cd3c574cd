#pragma once
// A zone's rules as the time-zone database stores them in its "TZI" value:
// 44 little-endian bytes, the three biases and the two dates of change. Only
// rules that the platform's conversion can use are accepted, so that a
// damaged value never turns into a wrong time on the face.

#include <cstddef>
#include <cstdint>
#include <optional>

// The platform's SYSTEMTIME fields, in its order. A date of change with year 0
// recurs every year: day 1 to 5 is the first to fourth or the last given
// weekday of the month.
struct ZoneDate {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

struct ZoneRules {
    int32_t bias = 0;  // minutes: UTC = local time + bias
    int32_t standardBias = 0;
    int32_t daylightBias = 0;
    ZoneDate standardDate;  // month 0: the zone has no daylight-saving time
    ZoneDate daylightDate;
};

constexpr size_t kZoneRulesSize = 44;

// The rules in a TZI value, or nullopt for a value of another size or with
// fields no conversion could use (a month 13, a bias of days).
std::optional<ZoneRules> ParseZoneRules(const uint8_t* data, size_t size);
