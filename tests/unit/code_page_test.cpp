#include "core/code_page.h"
#include "tests/unit/code_page_stand_ins.h"

#include <gtest/gtest.h>

// The clock draws the first two characters of its AM/PM mark.
TEST(CodePage, LeadingCharactersKeepTwoByteCharactersWhole) {
    const ShiftJisLeadBytes shiftJis;
    const Latin1StandIn latin1;
    struct Case {
        const char* name;
        const CodePage& codePage;
        std::string text;
        size_t count;
        size_t bytes;
    } cases[] = {
        {"single-byte mark", latin1, "AM", 2, 2},
        {"longer single-byte text", latin1, "a.m.", 2, 2},
        {"shorter than asked", latin1, "A", 2, 1},
        {"empty mark", latin1, "", 2, 0},
        {"lead bytes mean nothing on a single-byte page", latin1, "\x8C\xDF\x91", 2, 2},
        {"two two-byte characters (gozen)", shiftJis, "\x8C\xDF\x91\x4F", 2, 4},
        {"two-byte character then a letter", shiftJis,
         "\x8C\xDF"
         "AB",
         2, 3},
        {"letter then a two-byte character", shiftJis,
         "A\x8C\xDF"
         "B",
         2, 3},
        {"half-width katakana are one byte", shiftJis, "\xB1\xB2\xB3", 2, 2},
        {"a lead byte at the end counts alone", shiftJis, "A\x8C", 2, 2},
        {"nothing asked", shiftJis, "\x8C\xDF", 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LeadingCharacterBytes(c.text, c.count, c.codePage), c.bytes) << c.name;
}
