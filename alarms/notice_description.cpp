#include "alarms/notice_description.h"

std::string ShownDescription(const std::string& description, bool (*isLeadByte)(unsigned char)) {
    if (description.size() <= kDescriptionMaxChars)
        return description;
    // Walk character by character: a byte can only be told a lead byte from
    // the start of the text.
    size_t end = 0;
    while (end < kDescriptionMaxChars) {
        const size_t step = isLeadByte(static_cast<unsigned char>(description[end])) ? 2 : 1;
        if (end + step > kDescriptionMaxChars)
            break;
        end += step;
    }
    return description.substr(0, end);
}
