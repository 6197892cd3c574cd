#include "app/tick_schedule.h"

#include "core/clock_time.h"

namespace {

// The next mark is chosen at least this far ahead of the tick that composed.
constexpr uint64_t kRedrawLead = 200000000;

void AppendWithin(std::string& text, const std::string& piece) {
    const size_t limit = kTrayTipSize - 1;
    if (text.size() >= limit)
        return;
    text.append(piece, 0, limit - text.size());
}

}  // namespace

bool ShouldComposeFrame(bool secondHandVisible, uint64_t now, uint64_t& nextRedrawTime) {
    if (secondHandVisible)
        return true;
    const bool timeWentBack = nextRedrawTime > now && nextRedrawTime - now > kRedrawLead;
    if (now <= nextRedrawTime && !timeWentBack)
        return false;
    nextRedrawTime = (now + kRedrawLead) / clock_time::kQuarterMinute * clock_time::kQuarterMinute;
    return true;
}

bool ShouldRefreshTooltip(bool refreshPending, uint64_t prev, uint64_t now) {
    return refreshPending || now % clock_time::kMinute < prev % clock_time::kMinute || now - prev > clock_time::kMinute;
}

std::string ComposeTrayTip(const std::string& longDate, const std::string& time, const std::string& dayName) {
    std::string tip;
    tip.reserve(kTrayTipSize);
    AppendWithin(tip, longDate);
    AppendWithin(tip, "\n");
    AppendWithin(tip, time);
    AppendWithin(tip, ", ");
    AppendWithin(tip, dayName);
    return tip;
}

int DayNameIndex(int weekdayFromSunday) {
    return ((weekdayFromSunday + 6) % 7 + 7) % 7;
}
