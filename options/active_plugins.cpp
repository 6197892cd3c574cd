#include "options/active_plugins.h"

namespace {

// Position of the first `wanted` byte that is not the second byte of a
// double-byte character, or npos.
size_t FindSingleByte(std::string_view text, size_t from, char wanted, LeadBytePredicate isLeadByte) {
    for (size_t i = from; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte && isLeadByte(byte)) {
            // A lead byte at the very end has no second byte to skip.
            if (i + 1 < text.size())
                ++i;
            continue;
        }
        if (text[i] == wanted)
            return i;
    }
    return std::string_view::npos;
}

}  // namespace

std::vector<std::string> SplitActivePlugins(std::string_view value, LeadBytePredicate isLeadByte) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start < value.size()) {
        const size_t bar = FindSingleByte(value, start, '|', isLeadByte);
        if (bar == std::string_view::npos)
            break;
        names.emplace_back(value.substr(start, bar - start));
        start = bar + 1;
    }
    return names;
}

bool IsPlainPluginFileName(std::string_view name, LeadBytePredicate isLeadByte) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char separator : {'\\', '/', ':'}) {
        if (FindSingleByte(name, 0, separator, isLeadByte) != std::string_view::npos)
            return false;
    }
    return true;
}

std::string JoinActivePlugins(const std::vector<std::string>& names) {
    std::string value;
    for (const std::string& name : names) {
        value += name;
        value += '|';
    }
    return value;
}
