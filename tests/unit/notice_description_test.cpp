#include "alarms/notice_description.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool NoLeadBytes(unsigned char) {
    return false;
}

// As in Shift-JIS: 0x81..0x9F and 0xE0..0xFC start a two-byte character.
bool ShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

TEST(ShownDescription, CutsLongTextsWithoutSplittingACharacter) {
    const std::string pair = "\x82\xA0";  // one two-byte character
    const struct {
        std::string stored;
        bool (*isLeadByte)(unsigned char);
        size_t shownLength;
    } cases[] = {
        {"Take the cake out", NoLeadBytes, 17},
        {std::string(kDescriptionMaxChars, 'x'), NoLeadBytes, kDescriptionMaxChars},
        {std::string(65536, 'x'), NoLeadBytes, kDescriptionMaxChars},
        // 8191 single bytes, then a pair that would straddle the limit.
        {std::string(kDescriptionMaxChars - 1, 'x') + pair + "tail", ShiftJisLeadByte, kDescriptionMaxChars - 1},
        {std::string(kDescriptionMaxChars - 2, 'x') + pair + "tail", ShiftJisLeadByte, kDescriptionMaxChars},
        // Trail bytes that look like lead bytes: only a walk from the start
        // tells that the last whole pair ends at the limit.
        {std::string(10000, '\x81'), ShiftJisLeadByte, kDescriptionMaxChars},
    };
    for (const auto& c : cases) {
        const std::string shown = ShownDescription(c.stored, c.isLeadByte);
        EXPECT_EQ(shown.size(), c.shownLength) << c.stored.size();
        EXPECT_EQ(shown, c.stored.substr(0, c.shownLength));
    }
}

}  // namespace
