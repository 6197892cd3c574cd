#include "core/language_table.h"
#include "core/language_defaults.h"
#include "tests/unit/code_page_stand_ins.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Status = LanguageLoadResult::Status;

// What the texts of a UTF-8 file are converted into; other files never reach it.
const Latin1StandIn kLatin1;

// A complete file, entry n reading "Text n"; `skip` leaves one number out.
std::string CompleteFile(const char* lineEnd = "\n", int skip = 0) {
    std::string text;
    for (int n = 1; n <= kLanguageStringCount; ++n) {
        if (n != skip)
            text += std::to_string(n) + ",Text " + std::to_string(n) + lineEnd;
    }
    return text;
}

bool IsEmpty(const LanguageTable& table) {
    for (int n = 0; n < LanguageTable::kSlotCount; ++n) {
        if (table.Has(n))
            return false;
    }
    return true;
}

class TempFile {
public:
    explicit TempFile(const std::string& contents) {
        path_ = (std::filesystem::temp_directory_path() /
                 ("tavix-lang-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + ".lng"))
                    .string();
        std::ofstream(path_, std::ios::binary) << contents;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

TEST(LanguageFile, ShippedEnglishFileIsCompleteAndUsable) {
    LanguageTable table;
    const LanguageLoadResult result = LoadLanguageFile("data/Lang/english.lng", table, kLatin1);
    ASSERT_EQ(result.status, Status::Ok) << LanguageLoadMessage(result, "data/Lang/english.lng");
    for (int n = 1; n <= kLanguageStringCount; ++n) {
        EXPECT_STRNE(table.Text(n), "") << n;
        EXPECT_EQ(std::strchr(table.Text(n), '\r'), nullptr) << n;
    }
    EXPECT_STREQ(table.Text(10), "AM");
    EXPECT_STREQ(table.Text(11), "PM");

    // 49 is a format with the day of the month as its only argument.
    const std::string monthly = table.Text(49);
    const size_t percent = monthly.find('%');
    ASSERT_NE(percent, std::string::npos);
    EXPECT_EQ(monthly.compare(percent, 2, "%d"), 0);
    EXPECT_EQ(monthly.find('%', percent + 1), std::string::npos);

    // The open-file filters are description|pattern pairs, each piece closed by '|'.
    for (int n : {73, 74}) {
        const std::string filter = table.Text(n);
        ASSERT_FALSE(filter.empty());
        EXPECT_EQ(filter.back(), '|') << n;
        size_t bars = 0;
        for (char c : filter)
            bars += c == '|';
        EXPECT_EQ(bars % 2, 0u) << n;
        EXPECT_EQ(filter.find("||"), std::string::npos) << n;
    }
}

TEST(LanguageFile, EntriesFollowTheFileFormat) {
    LanguageTable table;
    const std::string text =
        "1,Hello\n"
        "1,World\n"
        "12 ,  spaced, with, commas\n"
        "13,\n"
        "14x,junk after the digits\n"
        "0,slot zero\n"
        "300,ignored\n"
        "4294967297,wraps to 1 in 32 bits\n"
        "99999999999999999999999999999,overflow\n"
        "15 no comma\n"
        "# 16,comment\n"
        " 17,leading blank\n"
        ";18,semicolon\n"
        "\n"
        "a,b\n"
        "19,tab\tand \r inside\r\n"
        "20,last line without end";
    // Every number is present first, so each case line shows what it overrides.
    ASSERT_EQ(ParseLanguageText(CompleteFile() + text, table, kLatin1).status, Status::Ok);
    EXPECT_STREQ(table.Text(1), "World");
    EXPECT_STREQ(table.Text(12), "  spaced, with, commas");
    EXPECT_STREQ(table.Text(13), "");
    EXPECT_TRUE(table.Has(13));
    EXPECT_STREQ(table.Text(14), "junk after the digits");
    EXPECT_STREQ(table.Text(15), "Text 15");
    EXPECT_STREQ(table.Text(16), "Text 16");
    EXPECT_STREQ(table.Text(17), "Text 17");
    EXPECT_STREQ(table.Text(18), "Text 18");
    EXPECT_STREQ(table.Text(19), "tab\tand \r inside");
    EXPECT_STREQ(table.Text(20), "last line without end");
    EXPECT_TRUE(table.Has(0));
    EXPECT_STREQ(table.Text(0), "");  // slot 0 is never shown
}

TEST(LanguageFile, LineEndsAndDamagedFiles) {
    struct Case {
        const char* name;
        std::string text;
        Status status;
        unsigned missing;
    } cases[] = {
        {"LF", CompleteFile("\n"), Status::Ok, 0},
        {"CR LF", CompleteFile("\r\n"), Status::Ok, 0},
        {"no final line end", CompleteFile("\r\n").substr(0, CompleteFile("\r\n").size() - 2), Status::Ok, 0},
        {"57 missing", CompleteFile("\n", 57), Status::MissingId, 57},
        {"truncated inside entry 50", CompleteFile("\n").substr(0, CompleteFile("\n").find("50,Te") + 5),
         Status::MissingId, 51},
        {"empty", "", Status::MissingId, 1},
        // Only the UTF-8 mark makes a file UTF-8; any other mark is a comment's start.
        {"UTF-16 mark hides entry 1", "\xFF\xFE" + CompleteFile("\r\n"), Status::MissingId, 1},
        {"UTF-8 mark, entry 1 on its line", "\xEF\xBB\xBF" + CompleteFile("\r\n"), Status::Ok, 0},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", Status::MissingId, 1},
        {"two UTF-8 marks hide entry 1", "\xEF\xBB\xBF\xEF\xBB\xBF" + CompleteFile("\n"), Status::MissingId, 1},
        // CR alone ends no line: the whole file is entry 1.
        {"CR only", CompleteFile("\r"), Status::MissingId, 2},
        {"number 0 is not number 1", "0,x\n" + CompleteFile("\n", 1), Status::MissingId, 1},
    };
    for (const Case& c : cases) {
        LanguageTable table;
        const LanguageLoadResult result = ParseLanguageText(c.text, table, kLatin1);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.missingId, c.missing) << c.name;
        if (c.status == Status::Ok) {
            EXPECT_STREQ(table.Text(106), "Text 106") << c.name;
        } else {
            EXPECT_TRUE(IsEmpty(table)) << c.name;
        }
    }
}

TEST(LanguageFile, Utf8FilesAreConvertedIntoTheCodePage) {
    const std::string mark = "\xEF\xBB\xBF";
    struct Case {
        const char* name;
        std::string text;  // put before a complete file, so its entries win
        int n;
        std::string expected;
    } cases[] = {
        {"first line is an entry",
         mark + "1,Gr\xC3\xBC\xC3\x9F"
                "e\r\n",
         1,
         "Gr\xFC\xDF"
         "e"},
        {"characters the code page lacks", mark + "1,\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA \xE5\x8D\x88\n", 1, "???? ?"},
        {"damaged sequences", mark + "1,a\xC3(b\xE5\x8D\n", 1, "a?(b??"},
        {"commas and spaces stay", mark + "1, a, \xC3\xA9 \n", 1, " a, \xE9 "},
        {"empty text", mark + "1,\n", 1, ""},
        // Without the mark the bytes are the code page's own, whatever they look like.
        {"no mark: UTF-8 bytes unchanged",
         "1,Gr\xC3\xBC\xC3\x9F"
         "e\n",
         1,
         "Gr\xC3\xBC\xC3\x9F"
         "e"},
        {"no mark: code page bytes unchanged", "2,\xFC\xDF\x80\xFF\n", 2, "\xFC\xDF\x80\xFF"},
    };
    for (const Case& c : cases) {
        LanguageTable table;
        // The case's line comes last, so that it is the one that counts; a
        // mark can only stand at the start, so then the complete file follows
        // with the case's number left out.
        const bool marked = c.text.compare(0, mark.size(), mark) == 0;
        const std::string file = marked ? c.text + CompleteFile("\n", c.n) : CompleteFile("\n") + c.text;
        const LanguageLoadResult result = ParseLanguageText(file, table, kLatin1);
        ASSERT_EQ(result.status, Status::Ok) << c.name << " missing " << result.missingId;
        EXPECT_EQ(std::string(table.Text(c.n)), c.expected) << c.name;
    }

    // The whole file through a real file, as the clock reads it.
    TempFile file(mark + "# Deutsch\r\n" + CompleteFile("\r\n", 85) + "85,Sprache \xC3\xA4\r\n");
    LanguageTable table;
    ASSERT_EQ(LoadLanguageFile(file.path(), table, kLatin1).status, Status::Ok);
    EXPECT_STREQ(table.Text(85), "Sprache \xE4");
    EXPECT_STREQ(table.Text(1), "Text 1");
}

TEST(LanguageFile, TextIsNeverNull) {
    LanguageTable table;
    for (int n : {INT_MIN, -1, 0, 1, 106, kLastLanguageString + 1, INT_MAX}) {
        ASSERT_NE(table.Text(n), nullptr) << n;
        EXPECT_STREQ(table.Text(n), "") << n;
    }
    table.Set(kLastLanguageString + 1, "beyond");
    table.Set(UINT_MAX, "far beyond");
    EXPECT_STREQ(table.Text(kLastLanguageString + 1), "");
}

TEST(LanguageFile, TheTextsPast106AreOptionalWithEnglishDefaults) {
    // A file of the old 106 texts stays complete and shows the defaults; a
    // file that has them shows its own.
    for (bool withNew : {false, true}) {
        LanguageTable table;
        const std::string text = CompleteFile() + (withNew ? "107,Schlummern\n108,Verpasst:\n" : "");
        ASSERT_EQ(ParseLanguageText(text, table, kLatin1).status, Status::Ok) << withNew;
        EXPECT_STREQ(table.Text(107), withNew ? "Schlummern" : "Snooze");
        EXPECT_STREQ(table.Text(108), withNew ? "Verpasst:" : OptionalLanguageDefault(108));
        EXPECT_NE(std::string(OptionalLanguageDefault(108)), "");
    }
}

TEST(LanguageFile, FailedLoadsAndTheTableTheyLeave) {
    LanguageTable table;
    ASSERT_EQ(ParseLanguageText(CompleteFile(), table, kLatin1).status, Status::Ok);

    // A file that cannot be opened (or read) leaves the loaded texts alone.
    EXPECT_EQ(LoadLanguageFile("data/Lang/no-such-language.lng", table, kLatin1).status, Status::CannotOpen);
    EXPECT_EQ(LoadLanguageFile(std::filesystem::temp_directory_path().string(), table, kLatin1).status,
              Status::CannotOpen);
    EXPECT_STREQ(table.Text(1), "Text 1");

    // On Windows "com1.lng" is the serial port, whose read never returns: the
    // name is refused even where a file of that name exists.
    const std::filesystem::path deviceNamed = std::filesystem::temp_directory_path() / "com1.lng";
    std::ofstream(deviceNamed, std::ios::binary) << CompleteFile() << "1,From the port";
    EXPECT_EQ(LoadLanguageFile(deviceNamed.string(), table, kLatin1).status, Status::CannotOpen);
    std::filesystem::remove(deviceNamed);
    EXPECT_STREQ(table.Text(1), "Text 1");

    // Loading adds to the table; an incomplete file still empties it.
    TempFile incomplete("1,One\r\n2,Two\r\n");
    LanguageTable fresh;
    const LanguageLoadResult result = LoadLanguageFile(incomplete.path(), fresh, kLatin1);
    EXPECT_EQ(result.status, Status::MissingId);
    EXPECT_EQ(result.missingId, 3u);
    EXPECT_TRUE(IsEmpty(fresh));

    TempFile complete(CompleteFile("\r\n") + "7,Seven");
    ASSERT_EQ(LoadLanguageFile(complete.path(), table, kLatin1).status, Status::Ok);
    EXPECT_STREQ(table.Text(7), "Seven");
    EXPECT_STREQ(table.Text(8), "Text 8");
}

TEST(LanguageFile, MessagesTakeThePathLiterally) {
    const std::string path = "C:\\Tavix\\Lang\\100%s %n %d.lng";
    EXPECT_EQ(LanguageLoadMessage({Status::CannotOpen, 0}, path), "Cannot open " + path);
    EXPECT_EQ(LanguageLoadMessage({Status::MissingId, 57}, path), "ID 57 is missing in " + path);
    EXPECT_EQ(LanguageLoadMessage({Status::Ok, 0}, path), "");
}

TEST(LanguageFile, FreeLanguageTableEmptiesTheProcessTable) {
    ASSERT_EQ(ParseLanguageText(CompleteFile(), TheLanguageTable(), kLatin1).status, Status::Ok);
    FreeLanguageTable();
    EXPECT_TRUE(IsEmpty(TheLanguageTable()));
    EXPECT_STREQ(TheLanguageTable().Text(1), "");
}
