#include "core/language_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FormatCase {
    const char* text;
    int value;
    std::string shown;
};

// Texts a translator (or a hostile language file) may put where one day of
// the month is expected.
const FormatCase kCases[] = {
    // What a translation normally holds.
    {"Monthly, day %d", 31, "Monthly, day 31"},
    {"%d. of each month", 5, "5. of each month"},
    {"day %i", 7, "day 7"},
    {"Day %02d", 3, "Day 03"},
    {"[%-4d]", 9, "[9   ]"},
    {"[%+d]", 9, "[+9]"},
    {"[% d]", 9, "[ 9]"},
    {"[%.3d]", 9, "[009]"},
    {"100%% on day %d", 1, "100% on day 1"},
    {"%d%%", 12, "12%"},
    {"[%64d]", 1, "[" + std::string(63, ' ') + "1]"},
    // No conversion: the day is appended so it is not lost.
    {"Monthly", 4, "Monthly 4"},
    {"Monthly ", 4, "Monthly 4"},
    {"", 4, "4"},
    {"100%% sure", 2, "100%% sure 2"},
    // Conversions that would read arguments that are not there or write memory.
    {"%s", 1, "%s 1"},
    {"day %n", 1, "day %n 1"},
    {"%d and %d", 1, "%d and %d 1"},
    {"%d %s", 1, "%d %s 1"},
    {"%99999d", 1, "%99999d 1"},
    {"%65d", 1, "%65d 1"},
    {"%.99999d", 1, "%.99999d 1"},
    {"%*d", 1, "%*d 1"},
    {"%ld", 1, "%ld 1"},
    {"%lld", 1, "%lld 1"},
    {"%x", 1, "%x 1"},
    {"%f", 1, "%f 1"},
    {"%p", 1, "%p 1"},
    {"%1$d", 1, "%1$d 1"},
    {"%#d", 1, "%#d 1"},
    {"%-----d", 1, "%-----d 1"},
    {"day %", 1, "day % 1"},
    {"day %-", 1, "day %- 1"},
    {"day %5", 1, "day %5 1"},
    {"%d %", 1, "%d % 1"},
};

}  // namespace

TEST(FormatWithIntegerTest, OneIntegerConversionOrTheTextWithTheValue) {
    for (const FormatCase& c : kCases)
        EXPECT_EQ(FormatWithInteger(c.text, c.value), c.shown) << "text: " << c.text;
}

TEST(FormatWithIntegerTest, ExtremeValuesAndEmbeddedZeros) {
    EXPECT_EQ(FormatWithInteger("%d", -2147483647 - 1), "-2147483648");
    EXPECT_EQ(FormatWithInteger("[%+64.64d]", 7), "[+" + std::string(63, '0') + "7]");
    // A zero byte inside the text is kept, not taken as its end.
    EXPECT_EQ(FormatWithInteger(std::string("a\0%d", 4), 1), std::string("a\0"
                                                                         "1",
                                                                         3));
}
