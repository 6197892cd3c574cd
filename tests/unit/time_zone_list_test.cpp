#include "options/time_zone_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool ShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Enumeration order, as the database hands the zones out. Number 3 was a key
// that could not be opened: it is missing but its number is used up. Two
// zones share a display name.
const std::vector<TimeZoneEntry> kZones = {
    {"(UTC+09:00) Osaka, Sapporo, Tokyo", "Tokyo Standard Time", 1},
    {"(UTC-08:00) Pacific Time", "Pacific Standard Time", 2},
    {"(UTC+01:00) Amsterdam, Berlin", "W. Europe Standard Time", 4},
    {"(UTC+01:00) Amsterdam, Berlin", "Berlin Copy", 5},
    {"(utc+00:00) lower-case london", "GMT Standard Time", 6},
};

std::vector<std::string> Texts(const ZoneChoices& choices) {
    std::vector<std::string> texts;
    for (const ZoneChoice& item : choices.items)
        texts.push_back(item.text);
    return texts;
}

int32_t SelectedData(const ZoneChoices& choices) {
    return choices.selected ? choices.items[*choices.selected].itemData : -99;
}

}  // namespace

TEST(TimeZoneList, ItemsAreSortedByTextWithTheLocalTimeEntryAmongThem) {
    const ZoneChoices choices = ListZoneChoices(kZones, "Local time", "");
    EXPECT_EQ(Texts(choices), (std::vector<std::string>{
                                  "(utc+00:00) lower-case london",  // letter case does not count
                                  "(UTC+01:00) Amsterdam, Berlin",
                                  "(UTC+01:00) Amsterdam, Berlin",
                                  "(UTC+09:00) Osaka, Sapporo, Tokyo",
                                  "(UTC-08:00) Pacific Time",
                                  "Local time",
                              }));
    // The twins keep the database's order and each its own number.
    EXPECT_EQ(choices.items[1].itemData, 4);
    EXPECT_EQ(choices.items[2].itemData, 5);
    EXPECT_EQ(choices.items[5].itemData, kLocalTimeItemData);
}

TEST(TimeZoneList, TheShownZoneIsSelected) {
    struct Case {
        const char* defaultTimeZone;
        int32_t selected;  // item data, -99 for none
    } cases[] = {
        {"", kLocalTimeItemData},       {"Pacific Standard Time", 2},
        {"W. Europe Standard Time", 4}, {"Berlin Copy", 5},  // the second of two zones with one display name
        {"pacific standard time", 2},                        // the registry ignores letter case in key names
        {"No Such Zone", -99},          {"Pacific", -99},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectedData(ListZoneChoices(kZones, "Local time", c.defaultTimeZone)), c.selected)
            << c.defaultTimeZone;
    }
}

TEST(TimeZoneList, AnEmptyDatabaseStillOffersLocalTime) {
    const ZoneChoices choices = ListZoneChoices({}, "Local time", "Tokyo Standard Time");
    EXPECT_EQ(Texts(choices), std::vector<std::string>{"Local time"});
    EXPECT_FALSE(choices.selected);
}

TEST(TimeZoneList, OkTurnsTheChosenItemIntoTheStoredZone) {
    struct Case {
        const char* what;
        std::optional<int32_t> chosen;
        const char* before;
        const char* after;
        bool select;
    } cases[] = {
        {"a zone", 2, "", "Pacific Standard Time", true},
        {"the twin, not its namesake", 5, "Tokyo Standard Time", "Berlin Copy", true},
        {"local time", kLocalTimeItemData, "Tokyo Standard Time", "", false},
        {"nothing chosen keeps the stored zone", std::nullopt, "Gone Zone", "Gone Zone", false},
        {"a number no zone has", 3, "Tokyo Standard Time", "Tokyo Standard Time", true},
    };
    for (const Case& c : cases) {
        const ZoneChange change = ZoneAfterOk(kZones, c.chosen, c.before);
        EXPECT_EQ(change.defaultTimeZone, c.after) << c.what;
        EXPECT_EQ(change.selectZone, c.select) << c.what;
    }
}

TEST(TimeZoneList, ListTextIsTheDisplayValueOrTheKeyName) {
    const std::string longest(kZoneDisplayBufferSize - 1, 'x');
    // A double-byte character across the limit goes whole.
    const std::string cutInside = std::string(kZoneDisplayBufferSize - 2, 'x') + "\x83\x5C" + "tail";
    struct Case {
        const char* what;
        std::optional<std::string> display;
        std::string text;
    } cases[] = {
        {"as stored", std::string("(UTC+09:00) Tokyo"), "(UTC+09:00) Tokyo"},
        {"missing", std::nullopt, "Key Name"},
        {"empty", std::string(), "Key Name"},
        {"only a terminator", std::string(1, '\0'), "Key Name"},
        {"text then a terminator", std::string("Tokyo\0junk", 10), "Tokyo"},
        {"what the buffer holds", longest, longest},
        {"600 bytes", std::string(600, 'y'), std::string(kZoneDisplayBufferSize - 1, 'y')},
        {"double-byte character at the limit", cutInside, std::string(kZoneDisplayBufferSize - 2, 'x')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZoneListText(c.display, "Key Name", ShiftJisLeadByte), c.text) << c.what;
    }
}
