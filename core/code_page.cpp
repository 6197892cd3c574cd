#include "core/code_page.h"

size_t LeadingCharacterBytes(std::string_view text, size_t count, const CodePage& codePage) {
    size_t at = 0;
    for (size_t characters = 0; characters < count && at < text.size(); ++characters) {
        const bool pair = codePage.IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
        at += pair ? 2 : 1;
    }
    return at;
}
