#include "core/language_table.h"
#include "core/language_defaults.h"
#include "core/safe_file_name.h"

#include <cstdio>
#include <memory>
#include <utility>

const char* LanguageTable::Text(int n) const {
    if (n < 1 || n >= kSlotCount)
        return "";
    if (!slots_[n])
        return OptionalLanguageDefault(n);
    return slots_[n]->c_str();
}

bool LanguageTable::Has(int n) const {
    return n >= 0 && n < kSlotCount && slots_[n].has_value();
}

void LanguageTable::Set(unsigned n, std::string text) {
    if (n < static_cast<unsigned>(kSlotCount))
        slots_[n] = std::move(text);
}

void LanguageTable::Clear() {
    for (auto& slot : slots_)
        slot.reset();
}

unsigned LanguageTable::FirstMissing() const {
    for (int n = 1; n <= kLanguageStringCount; ++n) {
        if (!slots_[n])
            return static_cast<unsigned>(n);
    }
    return 0;
}

LanguageTable& TheLanguageTable() {
    static LanguageTable table;
    return table;
}

void FreeLanguageTable() {
    TheLanguageTable().Clear();
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The entry number at the start of an entry line. A number too large for any
// slot saturates instead of wrapping round into the range of real entries.
unsigned EntryNumber(std::string_view line) {
    constexpr unsigned kBeyondTable = LanguageTable::kSlotCount;
    unsigned number = 0;
    for (size_t i = 0; i < line.size() && IsDigit(line[i]); ++i) {
        number = number * 10 + static_cast<unsigned>(line[i] - '0');
        if (number >= kBeyondTable)
            return kBeyondTable;
    }
    return number;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// utf8: the code page to convert the text into, or null for a file of the
// system's code page, whose bytes are taken as they stand.
void ParseLine(std::string_view line, LanguageTable& table, const CodePage* utf8) {
    if (line.empty() || !IsDigit(line[0]))
        return;
    const size_t comma = line.find(',');
    // An entry line without a comma carries no text; it is not an entry.
    if (comma == std::string_view::npos)
        return;
    const std::string_view text = line.substr(comma + 1);
    table.Set(EntryNumber(line.substr(0, comma)), utf8 ? utf8->FromUtf8(text) : std::string(text));
}

}  // namespace

LanguageLoadResult ParseLanguageText(std::string_view text, LanguageTable& table, const CodePage& codePage) {
    // Line ends, digits and commas are the same bytes in UTF-8, so only the
    // texts need converting.
    const bool utf8 = text.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (utf8)
        text.remove_prefix(kUtf8Mark.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ParseLine(line, table, utf8 ? &codePage : nullptr);
        start = next;
    }
    const unsigned missing = table.FirstMissing();
    if (missing != 0) {
        table.Clear();
        return {LanguageLoadResult::Status::MissingId, missing};
    }
    return {LanguageLoadResult::Status::Ok, 0};
}

LanguageLoadResult LoadLanguageFile(const std::string& path, LanguageTable& table, const CodePage& codePage) {
    struct FileCloser {
        void operator()(FILE* f) const { std::fclose(f); }
    };
    if (NamesDevice(path))
        return {LanguageLoadResult::Status::CannotOpen, 0};
    // Binary, so that CR LF is handled the same on every platform and a stray
    // Ctrl-Z does not end the file early.
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {LanguageLoadResult::Status::CannotOpen, 0};
    std::string text;
    char buffer[16384];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, got);
    // A path that opens but cannot be read (a folder, on some systems) counts as
    // not opened, so that the table keeps what it had.
    if (std::ferror(file.get()))
        return {LanguageLoadResult::Status::CannotOpen, 0};
    return ParseLanguageText(text, table, codePage);
}

std::string LanguageLoadMessage(const LanguageLoadResult& result, const std::string& path) {
    switch (result.status) {
        case LanguageLoadResult::Status::Ok:
            return {};
        case LanguageLoadResult::Status::CannotOpen:
            return "Cannot open " + path;
        case LanguageLoadResult::Status::MissingId:
            break;
    }
    // The path is an argument, never part of the format, so a % in it is harmless.
    const char* format = "ID %u is missing in %s";
    const int length = std::snprintf(nullptr, 0, format, result.missingId, path.c_str());
    if (length < 0)
        return {};
    std::string message(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&message[0], message.size(), format, result.missingId, path.c_str());
    message.resize(static_cast<size_t>(length));
    return message;
}
