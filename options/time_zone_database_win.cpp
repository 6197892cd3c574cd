#include "options/time_zone_database_win.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "options/zone_rules.h"
#include "win/unique_handle.h"

namespace {

bool LeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

// A zone is a direct subkey: a name with a path separator would reach below
// another zone (its "Dynamic DST" key, say) instead.
bool IsSubkeyName(const std::string& name) {
    for (size_t i = 0; i < name.size(); ++i) {
        if (LeadByte(static_cast<unsigned char>(name[i]))) {
            ++i;
            continue;
        }
        if (name[i] == '\\')
            return false;
    }
    return !name.empty();
}

SYSTEMTIME SystemTimeOf(const ZoneDate& d) {
    SYSTEMTIME t;
    t.wYear = d.year;
    t.wMonth = d.month;
    t.wDayOfWeek = d.dayOfWeek;
    t.wDay = d.day;
    t.wHour = d.hour;
    t.wMinute = d.minute;
    t.wSecond = d.second;
    t.wMilliseconds = d.milliseconds;
    return t;
}

std::optional<ZoneRules> ReadTzi(HKEY zone) {
    BYTE data[kZoneRulesSize] = {};
    DWORD type = 0;
    DWORD size = sizeof data;
    // A longer value fails with ERROR_MORE_DATA: it is not the layout we know.
    if (::RegQueryValueExA(zone, "TZI", nullptr, &type, data, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return std::nullopt;
    return ParseZoneRules(data, size);
}

std::optional<std::string> ReadDisplay(HKEY zone) {
    std::vector<char> data;
    // The value may change between the size query and the read: ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(zone, "Display", nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
            return std::nullopt;
        data.assign(static_cast<size_t>(size) + 1, '\0');
        const LONG status =
            ::RegQueryValueExA(zone, "Display", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return std::nullopt;
        const size_t stored = std::min<size_t>(size, data.size() - 1);
        return std::string(data.data(), ::strnlen(data.data(), stored));
    }
    return std::nullopt;
}

UniqueRegKey OpenDatabase(const TimeZoneDatabase& database) {
    UniqueRegKey key;
    ::RegOpenKeyExA(database.root, database.path.c_str(), 0, KEY_READ, key.put());
    return key;
}

}  // namespace

ZoneRead ReadZoneRules(const TimeZoneDatabase& database, const std::string& keyName) {
    ZoneRead read;
    if (!IsSubkeyName(keyName))
        return read;
    const UniqueRegKey zones = OpenDatabase(database);
    if (!zones)
        return read;
    UniqueRegKey zone;
    if (::RegOpenKeyExA(zones.get(), keyName.c_str(), 0, KEY_READ, zone.put()) != ERROR_SUCCESS)
        return read;
    const std::optional<ZoneRules> rules = ReadTzi(zone.get());
    if (!rules) {
        read.status = ZoneRead::Status::NoRules;
        return read;
    }
    read.status = ZoneRead::Status::Found;
    read.rules.Bias = rules->bias;
    read.rules.StandardBias = rules->standardBias;
    read.rules.DaylightBias = rules->daylightBias;
    read.rules.StandardDate = SystemTimeOf(rules->standardDate);
    read.rules.DaylightDate = SystemTimeOf(rules->daylightDate);
    return read;
}

std::vector<TimeZoneEntry> ReadTimeZoneList(const TimeZoneDatabase& database) {
    std::vector<TimeZoneEntry> entries;
    const UniqueRegKey zones = OpenDatabase(database);
    if (!zones)
        return entries;
    for (DWORD index = 0;; ++index) {
        char name[512] = {};
        DWORD length = sizeof name;
        const LONG status = ::RegEnumKeyExA(zones.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;  // a name no key can have; its position still counts
        // Any other failure would repeat at every further position.
        if (status != ERROR_SUCCESS)
            break;
        UniqueRegKey zone;
        if (::RegOpenKeyExA(zones.get(), name, 0, KEY_READ, zone.put()) != ERROR_SUCCESS)
            continue;
        TimeZoneEntry entry;
        entry.keyName.assign(name, length);
        entry.displayName = ZoneListText(ReadDisplay(zone.get()), entry.keyName, LeadByte);
        entry.number = static_cast<int32_t>(index) + 1;
        entries.push_back(std::move(entry));
    }
    return entries;
}
