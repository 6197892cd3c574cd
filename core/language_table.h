#pragma once
// The numbered user-interface texts of a language file (Lang\*.lng).
//
// File format: one entry per line, "<number>,<text>". A line is an entry only
// when its first byte is a decimal digit; every other line is a comment. The
// number is the digits at the start of the line (anything after them up to the
// first comma is ignored); the text is everything after the first comma,
// unchanged and possibly empty. Line ends are LF or CR LF. Numbers 1..106 are
// the texts every file must have; the texts added later (107 on) are optional
// and show their English default when a file lacks them. 0 lands in an unread
// slot, larger numbers are ignored, and a later line for the same number wins.
//
// A file is bytes of the system's code page, used as they stand; any other
// byte-order mark simply makes the first line a comment. A file that starts
// with the UTF-8 byte-order mark is UTF-8: the mark is not part of the first
// line, and each text is converted into the code page the program shows its
// texts in, so one file serves readers of every code page.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/code_page.h"

constexpr int kLanguageStringCount = 106;
// The last optional text (language_defaults.h).
constexpr int kLastLanguageString = 108;

class LanguageTable {
public:
    static constexpr int kSlotCount = kLastLanguageString + 1;

    // Language string n; for an optional one the file lacks, its English
    // default; "" when n is outside 1..kLastLanguageString or a required slot
    // is empty, so that a caller shown an incomplete table never reads a null
    // pointer.
    // The pointer stays valid until that slot is set again or the table is cleared.
    const char* Text(int n) const;
    bool Has(int n) const;
    // Stores the text of slot n (0..kLastLanguageString); other numbers are ignored.
    void Set(unsigned n, std::string text);
    void Clear();
    // The lowest number 1..106 without a text, or 0 when all are present.
    unsigned FirstMissing() const;

private:
    std::array<std::optional<std::string>, kSlotCount> slots_;
};

// The process-wide table that every dialog reads its texts from.
LanguageTable& TheLanguageTable();

struct LanguageLoadResult {
    enum class Status { Ok, CannotOpen, MissingId } status;
    unsigned missingId = 0;

    bool ok() const { return status == Status::Ok; }
};

// Adds the entries of a language file to the table. The table is not emptied
// first: a caller that switches languages clears it before. When a number
// 1..106 is missing afterwards the whole table is cleared; when the file cannot
// be opened or read the table is left as it was. The texts of a UTF-8 file are
// converted into codePage.
LanguageLoadResult LoadLanguageFile(const std::string& path, LanguageTable& table, const CodePage& codePage);
// The same for text already in memory (the file's bytes).
LanguageLoadResult ParseLanguageText(std::string_view text, LanguageTable& table, const CodePage& codePage);

// The message box text for a failed load: "Cannot open <path>" or
// "ID <n> is missing in <path>"; empty for a successful one.
std::string LanguageLoadMessage(const LanguageLoadResult& result, const std::string& path);

// Empties the process-wide table.
void FreeLanguageTable();
