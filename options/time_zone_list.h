#pragma once
// The zones the time-zone page offers and what its OK makes of the choice.
// The list is read from the time-zone database (time_zone_database_win.h);
// everything here works on the entries read, without a window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One zone of the database. The number is the zone's position in the
// enumeration of the database, counted from 1; it ties a combo box item to its
// zone, because two zones may share a display name.
struct TimeZoneEntry {
    std::string displayName;
    std::string keyName;
    int32_t number = 0;
};

// The item data of the entry that stands for the computer's local time.
constexpr int32_t kLocalTimeItemData = -1;

// Display names are read into a buffer of this size, terminator included.
constexpr size_t kZoneDisplayBufferSize = 512;

// True for a byte that starts a double-byte character of the code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

// The text a zone is listed with: its "Display" value, cut to what the buffer
// holds without splitting a double-byte character; the key name when the
// value is missing or empty, so that no zone is listed as a blank line.
std::string ZoneListText(const std::optional<std::string>& display,
                         const std::string& keyName,
                         LeadBytePredicate isLeadByte = nullptr);

struct ZoneChoice {
    std::string text;
    int32_t itemData = kLocalTimeItemData;
};

struct ZoneChoices {
    // The local-time entry and every zone, in ascending order of their text as
    // a sorted combo box shows them (letter case aside); equal texts keep
    // the order of the database.
    std::vector<ZoneChoice> items;
    // The item of the zone shown now; nullopt when the stored zone is not listed.
    std::optional<size_t> selected;
};

// The page's items for the zones read and the stored DefaultTimeZone.
ZoneChoices ListZoneChoices(const std::vector<TimeZoneEntry>& zones,
                            std::string_view localTimeText,
                            const std::string& defaultTimeZone);

// What the page's OK does with the chosen item.
struct ZoneChange {
    std::string defaultTimeZone;
    // The zone's rules are to be read again (false for local time or no choice).
    bool selectZone = false;
};

// chosenItemData: the selected item's data, nullopt when nothing is selected.
ZoneChange ZoneAfterOk(const std::vector<TimeZoneEntry>& zones,
                       std::optional<int32_t> chosenItemData,
                       const std::string& defaultTimeZone);
