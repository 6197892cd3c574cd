#pragma once
// The platform's time-zone database in the registry: one subkey per zone,
// with its display name ("Display") and its rules ("TZI"). Read only.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "options/time_zone_list.h"

struct TimeZoneDatabase {
    HKEY root = HKEY_LOCAL_MACHINE;
    std::string path = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
};

// What reading one zone's rules found.
struct ZoneRead {
    enum class Status {
        Found,
        NoSuchZone,  // the database or the zone's key cannot be opened
        NoRules,     // the key exists but has no usable 44-byte "TZI"
    };
    Status status = Status::NoSuchZone;
    TIME_ZONE_INFORMATION rules = {};  // Bias, the two biases and dates; no names
};

ZoneRead ReadZoneRules(const TimeZoneDatabase& database, const std::string& keyName);

// Every zone whose key opens, in enumeration order, numbered by position from 1.
std::vector<TimeZoneEntry> ReadTimeZoneList(const TimeZoneDatabase& database);
