// Language files come from users and translators: any bytes must parse without
// a crash, and the table must end complete or empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/language_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LanguageTable table;
    const LanguageLoadResult result =
        ParseLanguageText(std::string_view(reinterpret_cast<const char*>(data), size), table);
    for (int n = 1; n <= kLanguageStringCount; ++n) {
        if (table.Text(n) == nullptr || table.Has(n) != result.ok())
            std::abort();
    }
    if (!result.ok() && (result.missingId < 1 || result.missingId > kLanguageStringCount))
        std::abort();
    LanguageLoadMessage(result, "C:\\Lang\\%s%n.lng");
    return 0;
}
