#include "app/start_language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

// Windows language ids: the primary language in the low 10 bits, the sublanguage above.
constexpr uint16_t Id(unsigned primary, unsigned sublanguage) {
    return static_cast<uint16_t>((sublanguage << 10) | primary);
}

}  // namespace

TEST(StartLanguage, UiLanguagesFindTheirShippedFiles) {
    struct Case {
        uint16_t id;
        const char* file;
    } cases[] = {
        {Id(0x07, 1), "german.lng"},              // de-DE
        {Id(0x07, 3), "german.lng"},              // de-AT
        {Id(0x07, 2), "german.lng"},              // de-CH
        {Id(0x0C, 1), "french.lng"},              // fr-FR
        {Id(0x0C, 3), "french.lng"},              // fr-CA
        {Id(0x0A, 3), "spanish.lng"},             // es-ES
        {Id(0x0A, 2), "spanish.lng"},             // es-MX
        {Id(0x10, 1), "italian.lng"},             // it-IT
        {Id(0x16, 1), "portuguese_brazil.lng"},   // pt-BR
        {Id(0x16, 2), "portuguese_brazil.lng"},   // pt-PT
        {Id(0x13, 1), "dutch.lng"},               // nl-NL
        {Id(0x13, 2), "dutch.lng"},               // nl-BE
        {Id(0x15, 1), "polish.lng"},              // pl-PL
        {Id(0x05, 1), "czech.lng"},               // cs-CZ
        {Id(0x19, 1), "russian.lng"},             // ru-RU
        {Id(0x11, 1), "japanese.lng"},            // ja-JP
        {Id(0x04, 2), "chinese_simplified.lng"},  // zh-CN
        {Id(0x04, 4), "chinese_simplified.lng"},  // zh-SG
        {Id(0x04, 0), "chinese_simplified.lng"},  // zh-Hans
        {Id(0x04, 1), ""},                        // zh-TW: traditional characters
        {Id(0x04, 3), ""},                        // zh-HK
        {Id(0x04, 5), ""},                        // zh-MO
        {Id(0x04, 0x1F), ""},                     // zh-Hant
        {Id(0x09, 1), ""},                        // en-US: english.lng is the default anyway
        {Id(0x1D, 1), ""},                        // sv-SE
        {Id(0x1F, 1), ""},                        // tr-TR
        {0, ""},                                  // neutral
        {0xFFFF, ""},
    };
    std::set<std::string> named;
    for (const Case& c : cases) {
        EXPECT_EQ(ShippedLanguageFile(c.id), c.file) << std::hex << c.id;
        if (*c.file)
            named.insert(c.file);
    }
    // Every file named is one that ships.
    for (const std::string& file : named)
        EXPECT_TRUE(std::filesystem::is_regular_file("data/Lang/" + file)) << file;
    EXPECT_EQ(named.size(), 11u);
}

TEST(StartLanguage, AStoredChoiceIsNeverChanged) {
    const uint16_t german = Id(0x07, 1);
    const uint16_t swedish = Id(0x1D, 1);
    const auto everything = [](const std::string&) { return true; };
    const auto nothing = [](const std::string&) { return false; };
    struct Case {
        const char* name;
        const char* stored;  // null: no LangFile stored
        uint16_t uiLanguage;
        bool shipped;
        const char* expected;
    } cases[] = {
        {"first start, German", nullptr, german, true, "german.lng"},
        {"first start, no file for the language", nullptr, swedish, true, "english.lng"},
        {"first start, German file removed", nullptr, german, false, "english.lng"},
        {"English chosen on a German system", "english.lng", german, true, "english.lng"},
        {"French chosen on a German system", "french.lng", german, true, "french.lng"},
        {"a file of the user's own", "klingon.lng", swedish, true, "klingon.lng"},
        {"an empty value is a stored value", "", german, true, ""},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        if (c.stored)
            store.WriteString("", "LangFile", c.stored);
        EXPECT_EQ(StartLanguageFile(store, c.uiLanguage, c.shipped ? everything : nothing), c.expected) << c.name;
    }

    // A LangFile of the wrong type is no choice: the clock could not read it either.
    MemoryStore wrongType;
    wrongType.WriteInt("", "LangFile", 7);
    EXPECT_EQ(StartLanguageFile(wrongType, german, everything), "german.lng");
}
