#include "options/select_time_zone_win.h"

void SelectTimeZone(std::string& defaultTimeZone, ShownTime& shownTime, const TimeZoneDatabase& database) {
    if (defaultTimeZone.empty()) {
        shownTime.UseLocalTime();
        return;
    }
    const ZoneRead read = ReadZoneRules(database, defaultTimeZone);
    switch (read.status) {
        case ZoneRead::Status::Found:
            shownTime.UseZone(defaultTimeZone, read.rules);
            return;
        case ZoneRead::Status::NoSuchZone:
            shownTime.UseLocalTime();
            defaultTimeZone.clear();
            return;
        case ZoneRead::Status::NoRules:
            defaultTimeZone = shownTime.ZoneName();
            return;
    }
}
