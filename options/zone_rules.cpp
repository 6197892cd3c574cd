#include "options/zone_rules.h"

namespace {

// No zone lies more than a day from UTC; anything beyond is damage.
constexpr int32_t kMaxBiasMinutes = 24 * 60;

uint16_t Word(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

int32_t Long(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

ZoneDate DateAt(const uint8_t* p) {
    ZoneDate d;
    d.year = Word(p);
    d.month = Word(p + 2);
    d.dayOfWeek = Word(p + 4);
    d.day = Word(p + 6);
    d.hour = Word(p + 8);
    d.minute = Word(p + 10);
    d.second = Word(p + 12);
    d.milliseconds = Word(p + 14);
    return d;
}

bool BiasUsable(int32_t minutes) {
    return minutes >= -kMaxBiasMinutes && minutes <= kMaxBiasMinutes;
}

bool DateUsable(const ZoneDate& d) {
    if (d.month < 1 || d.month > 12 || d.hour > 23 || d.minute > 59 || d.second > 59 || d.milliseconds > 999)
        return false;
    // Year 0: the n-th weekday of the month, 5 meaning the last one.
    if (d.year == 0)
        return d.dayOfWeek <= 6 && d.day >= 1 && d.day <= 5;
    return d.day >= 1 && d.day <= 31;
}

}  // namespace

std::optional<ZoneRules> ParseZoneRules(const uint8_t* data, size_t size) {
    if (!data || size != kZoneRulesSize)
        return std::nullopt;
    ZoneRules rules;
    rules.bias = Long(data);
    rules.standardBias = Long(data + 4);
    rules.daylightBias = Long(data + 8);
    rules.standardDate = DateAt(data + 12);
    rules.daylightDate = DateAt(data + 28);

    if (!BiasUsable(rules.bias) || !BiasUsable(rules.standardBias) || !BiasUsable(rules.daylightBias))
        return std::nullopt;
    // Month 0 in both dates: standard time all year. Windows documents the
    // standard date as the switch and Wine looks at the daylight date, so one
    // without the other would be read differently by the two: refused.
    if (rules.standardDate.month == 0 && rules.daylightDate.month == 0)
        return rules;
    if (!DateUsable(rules.daylightDate) || !DateUsable(rules.standardDate))
        return std::nullopt;
    return rules;
}
