#include "options/time_zone_list.h"

#include <algorithm>
#include <cctype>

namespace {

// Bytes to keep of `text` so that at most `limit` remain and the last kept byte
// is not the first half of a double-byte character.
size_t CutWithoutSplitting(const std::string& text, size_t limit, LeadBytePredicate isLeadByte) {
    if (text.size() <= limit)
        return text.size();
    size_t i = 0;
    while (i < limit) {
        const bool lead = isLeadByte && isLeadByte(static_cast<unsigned char>(text[i]));
        const size_t width = lead ? 2 : 1;
        if (i + width > limit)
            break;
        i += width;
    }
    return i;
}

bool TextBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

bool SameKeyName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string ZoneListText(const std::optional<std::string>& display,
                         const std::string& keyName,
                         LeadBytePredicate isLeadByte) {
    if (!display || display->empty())
        return keyName;
    // A text may carry its own terminator before the end of the value.
    const std::string text = display->substr(0, display->find('\0'));
    if (text.empty())
        return keyName;
    return text.substr(0, CutWithoutSplitting(text, kZoneDisplayBufferSize - 1, isLeadByte));
}

ZoneChoices ListZoneChoices(const std::vector<TimeZoneEntry>& zones,
                            std::string_view localTimeText,
                            const std::string& defaultTimeZone) {
    ZoneChoices choices;
    choices.items.push_back({std::string(localTimeText), kLocalTimeItemData});
    for (const TimeZoneEntry& zone : zones)
        choices.items.push_back({zone.displayName, zone.number});
    std::stable_sort(choices.items.begin(), choices.items.end(),
                     [](const ZoneChoice& a, const ZoneChoice& b) { return TextBefore(a.text, b.text); });

    std::optional<int32_t> shown;
    if (defaultTimeZone.empty()) {
        shown = kLocalTimeItemData;
    } else {
        // The exact name first; the registry itself ignores letter case in key
        // names, so a stored name in other letters still means that zone.
        for (const TimeZoneEntry& zone : zones) {
            if (zone.keyName == defaultTimeZone) {
                shown = zone.number;
                break;
            }
        }
        for (size_t i = 0; !shown && i < zones.size(); ++i) {
            if (SameKeyName(zones[i].keyName, defaultTimeZone))
                shown = zones[i].number;
        }
    }
    for (size_t i = 0; shown && i < choices.items.size(); ++i) {
        if (choices.items[i].itemData == *shown) {
            choices.selected = i;
            break;
        }
    }
    return choices;
}

ZoneChange ZoneAfterOk(const std::vector<TimeZoneEntry>& zones,
                       std::optional<int32_t> chosenItemData,
                       const std::string& defaultTimeZone) {
    // Nothing selected happens when the stored zone is not in the list: the
    // user chose nothing, so the zone stays as it is.
    if (!chosenItemData)
        return {defaultTimeZone, false};
    if (*chosenItemData == kLocalTimeItemData)
        return {std::string(), false};
    for (const TimeZoneEntry& zone : zones) {
        if (zone.number == *chosenItemData)
            return {zone.keyName, true};
    }
    return {defaultTimeZone, true};
}
