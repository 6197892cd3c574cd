#include "options/active_plugins.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Shift-JIS lead bytes: their second byte may be 0x5C ('\\') or 0x7C ('|').
bool ShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

using Names = std::vector<std::string>;

}  // namespace

TEST(ActivePlugins, SplitsAtEveryBarAndDropsAnUnterminatedLastName) {
    struct Case {
        const char* value;
        Names names;
    } cases[] = {
        {"", {}},
        {"a.dll", {}},
        {"a.dll|", {"a.dll"}},
        {"a.dll|b.dll", {"a.dll"}},
        {"a.dll|b.dll|", {"a.dll", "b.dll"}},
        {"a.dll|a.dll|", {"a.dll", "a.dll"}},
        {"|", {""}},
        {"a.dll||b.dll|", {"a.dll", "", "b.dll"}},
        {"||", {"", ""}},
        {"my plugin.dll|", {"my plugin.dll"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitActivePlugins(c.value), c.names) << '"' << c.value << '"';
    }
}

TEST(ActivePlugins, BarInsideADoubleByteCharacterIsPartOfTheName) {
    // "\x95\x7C" is one character; only the bar after it ends the name.
    const std::string value = "\x95\x7C.dll|b.dll|";
    EXPECT_EQ(SplitActivePlugins(value, ShiftJisLeadByte), (Names{"\x95\x7C.dll", "b.dll"}));
    // Without the code page's knowledge the same bytes split in the middle of the character.
    EXPECT_EQ(SplitActivePlugins(value), (Names{"\x95", ".dll", "b.dll"}));
    // A lead byte with nothing after it neither hides a bar nor reads past the end.
    EXPECT_EQ(SplitActivePlugins("a.dll|\x95", ShiftJisLeadByte), (Names{"a.dll"}));
    EXPECT_EQ(SplitActivePlugins("\x95|", ShiftJisLeadByte), Names{});
}

TEST(ActivePlugins, LargeValueSplitsIntoEveryName) {
    std::string value;
    while (value.size() < 64 * 1024)
        value += "clock_extra.dll|";
    const Names names = SplitActivePlugins(value);
    ASSERT_EQ(names.size(), value.size() / 16);
    EXPECT_EQ(names.front(), "clock_extra.dll");
    EXPECT_EQ(names.back(), "clock_extra.dll");

    const std::string bars(64 * 1024, '|');
    EXPECT_EQ(SplitActivePlugins(bars).size(), bars.size());
}

TEST(ActivePlugins, OnlyNamesInsideThePluginFolderArePlain) {
    struct Case {
        const char* name;
        bool plain;
    } cases[] = {
        {"ring.dll", true},
        {"Moon Phase.DLL", true},
        {"noext", true},
        {"", false},
        {".", false},
        {"..", false},
        {"..\\ring.dll", false},
        {"sub\\ring.dll", false},
        {"../ring.dll", false},
        {"C:ring.dll", false},
        {"C:\\x\\ring.dll", false},
        {"\\\\server\\share\\ring.dll", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsPlainPluginFileName(c.name), c.plain) << '"' << c.name << '"';
    }
    // 0x5C as the second byte of a double-byte character is not a backslash.
    EXPECT_TRUE(IsPlainPluginFileName("\x95\x5C.dll", ShiftJisLeadByte));
    EXPECT_FALSE(IsPlainPluginFileName("\x95\x5C.dll"));
    EXPECT_FALSE(IsPlainPluginFileName("\x95\x5C\\x.dll", ShiftJisLeadByte));
}

TEST(ActivePlugins, JoinEndsEveryNameWithABarAndSplitsBack) {
    EXPECT_EQ(JoinActivePlugins({}), "");
    EXPECT_EQ(JoinActivePlugins({"a.dll", "b.dll"}), "a.dll|b.dll|");
    const Names names = {"a.dll", "B.DLL"};
    EXPECT_EQ(SplitActivePlugins(JoinActivePlugins(names)), names);
}
