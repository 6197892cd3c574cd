// The language files that ship in Lang\: each loads, is complete, and keeps
// what the program relies on in the English texts (format conversions,
// accelerators, the spaces a file name follows, the file patterns of the
// open-file filters).
#include "core/language_table.h"
#include "tests/unit/code_page_stand_ins.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const char kLangFolder[] = "data/Lang/";

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The number of characters of well-formed UTF-8, or -1 for damaged text.
int Utf8Length(const std::string& text) {
    int characters = 0;
    for (size_t i = 0; i < text.size(); ++characters) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80                    ? 1
                              : lead >= 0xC2 && lead <= 0xDF ? 2
                              : lead >= 0xE0 && lead <= 0xEF ? 3
                              : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                             : 0;
        if (length == 0 || i + length > text.size())
            return -1;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return -1;
        }
        i += length;
    }
    return characters;
}

// The printf conversions of a text in order ("%d", "%%", "%5.2s", ...).
std::vector<std::string> Conversions(const std::string& text) {
    std::vector<std::string> found;
    for (size_t i = text.find('%'); i != std::string::npos; i = text.find('%', i)) {
        const size_t end = text.find_first_not_of("-+ #0123456789.hlLqjzt", i + 1);
        const size_t stop = end == std::string::npos ? text.size() : end + 1;
        found.push_back(text.substr(i, stop - i));
        i = stop;
    }
    return found;
}

// Accelerator marks: a lone '&' (a doubled one shows an ampersand).
int Accelerators(const std::string& text) {
    int marks = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        else
            ++marks;
    }
    return marks;
}

std::string LeadingBlanks(const std::string& text) {
    return text.substr(0, text.find_first_not_of(' '));
}

std::string TrailingBlanks(const std::string& text) {
    const size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? text : text.substr(last + 1);
}

std::vector<std::string> Pieces(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t bar = text.find(separator); bar != std::string::npos; bar = text.find(separator, start)) {
        pieces.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace

TEST(ShippedLanguages, EveryFileIsCompleteAndFaithfulToTheEnglishTexts) {
    const char* const kShipped[] = {
        "english.lng", "german.lng", "french.lng", "spanish.lng", "italian.lng",  "portuguese_brazil.lng",
        "dutch.lng",   "polish.lng", "czech.lng",  "russian.lng", "japanese.lng", "chinese_simplified.lng",
    };
    const Utf8StandIn utf8;
    LanguageTable english;
    ASSERT_TRUE(LoadLanguageFile(std::string(kLangFolder) + "english.lng", english, utf8).ok());

    std::set<std::string> listed;
    for (const char* name : kShipped) {
        SCOPED_TRACE(name);
        listed.insert(name);
        const std::string path = kLangFolder + std::string(name);
        LanguageTable table;
        const LanguageLoadResult result = LoadLanguageFile(path, table, utf8);
        ASSERT_TRUE(result.ok()) << LanguageLoadMessage(result, path);

        // Translations are UTF-8 with the mark, so that they read right on every system.
        const std::string bytes = FileBytes(path);
        if (std::string(name) != "english.lng") {
            EXPECT_EQ(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no UTF-8 byte-order mark";
            EXPECT_GE(Utf8Length(bytes), 0) << "not well-formed UTF-8";
        }

        // Texts past the 106 that every file has are optional: checked where both files have them.
        for (int n = 1; n < LanguageTable::kSlotCount; ++n) {
            if (!english.Has(n) || !table.Has(n))
                continue;
            SCOPED_TRACE("text " + std::to_string(n));
            const std::string ours = english.Text(n);
            const std::string theirs = table.Text(n);
            EXPECT_EQ(Conversions(theirs), Conversions(ours));
            EXPECT_EQ(Accelerators(theirs), Accelerators(ours));
            // Texts that a file name or number follows keep their spaces at the ends.
            EXPECT_EQ(LeadingBlanks(theirs), LeadingBlanks(ours));
            EXPECT_EQ(TrailingBlanks(theirs), TrailingBlanks(ours));
            EXPECT_EQ(theirs.find_first_of("\t\r\n"), std::string::npos);
            // Open-file filters: translated descriptions, the same patterns.
            const std::vector<std::string> ourPieces = Pieces(ours, '|');
            const std::vector<std::string> theirPieces = Pieces(theirs, '|');
            ASSERT_EQ(theirPieces.size(), ourPieces.size());
            for (size_t i = 1; i < ourPieces.size(); i += 2)
                EXPECT_EQ(theirPieces[i], ourPieces[i]);
        }

        // The face draws two characters of the AM/PM mark. A language that
        // writes a 24-hour clock leaves both marks empty, and the face shows none.
        const int am = Utf8Length(table.Text(10));
        const int pm = Utf8Length(table.Text(11));
        EXPECT_TRUE(am >= 0 && am <= 2 && pm >= 0 && pm <= 2) << am << " " << pm;
        EXPECT_EQ(am == 0, pm == 0);
        for (int n = 1; n <= kLanguageStringCount; ++n) {
            if (n == 10 || n == 11)
                continue;
            EXPECT_STRNE(table.Text(n), "") << "text " << n;
        }
    }

    // A file added to Lang\ is added to the list above.
    std::set<std::string> present;
    for (const auto& entry : std::filesystem::directory_iterator(kLangFolder)) {
        if (entry.path().extension() == ".lng")
            present.insert(entry.path().filename().string());
    }
    EXPECT_EQ(present, listed);
}
