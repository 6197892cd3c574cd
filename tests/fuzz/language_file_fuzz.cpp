// Language files come from users and translators: any bytes must parse without
// a crash, and the table must end complete or empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/language_table.h"
#include "tests/unit/code_page_stand_ins.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A stand-in that decodes UTF-8 itself, so that files with the UTF-8 mark
    // take the converting path with every damage a file may carry.
    static const Latin1StandIn codePage;
    LanguageTable table;
    const LanguageLoadResult result =
        ParseLanguageText(std::string_view(reinterpret_cast<const char*>(data), size), table, codePage);
    for (int n = 1; n <= kLanguageStringCount; ++n) {
        if (table.Text(n) == nullptr || table.Has(n) != result.ok())
            std::abort();
    }
    if (!result.ok() && (result.missingId < 1 || result.missingId > kLanguageStringCount))
        std::abort();
    LanguageLoadMessage(result, "C:\\Lang\\%s%n.lng");
    return 0;
}
