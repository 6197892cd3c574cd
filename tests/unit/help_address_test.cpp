#include "options/help_address.h"

#include <gtest/gtest.h>

TEST(HelpAddress, LanguageIsTheFileNameUpToItsFirstDot) {
    struct Case {
        const char* langFile;
        const char* name;
    } cases[] = {
        {"english.lng", "english"},
        {"Deutsch.lng", "Deutsch"},  // lower-cased by the caller, by the code page
        {"pt.br.lng", "pt"},
        {"english", ""},
        {"", ""},
        {".lng", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HelpLanguageName(c.langFile), c.name) << c.langFile;
}

TEST(HelpAddress, AddsLanguageAndTabToTheBase) {
    EXPECT_EQ(HelpAddress("https://example.org/tavix/", "english", 1),
              "https://example.org/tavix/help.php?lang=english&tab=1");
    EXPECT_EQ(HelpAddress("https://example.org/", "", 3), "https://example.org/help.php?lang=&tab=3");
}
