#include "core/language_format.h"

#include <cstdio>
#include <optional>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of digits at `pos`; nullopt when it exceeds the limit.
std::optional<int> ReadCount(std::string_view text, size_t& pos) {
    int count = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        count = count * 10 + (text[pos] - '0');
        if (count > kMaxFormatWidth)
            return std::nullopt;
        ++pos;
    }
    return count;
}

// The one conversion rebuilt from the pieces that passed the checks, so that
// nothing of the text but digits and known flags reaches snprintf.
std::string FormatOne(const std::string& flags, int width, std::optional<int> precision, char conversion, int value) {
    std::string conversionText = "%" + flags;
    if (width > 0)
        conversionText += std::to_string(width);
    if (precision)
        conversionText += "." + std::to_string(*precision);
    conversionText += conversion;
    char buffer[2 * kMaxFormatWidth + 16];
    const int length = std::snprintf(buffer, sizeof buffer, conversionText.c_str(), value);
    if (length < 0)
        return std::to_string(value);
    return std::string(buffer, static_cast<size_t>(length) < sizeof buffer ? length : sizeof buffer - 1);
}

std::string Literal(std::string_view text, int value) {
    std::string shown(text);
    if (!shown.empty() && shown.back() != ' ')
        shown += ' ';
    return shown + std::to_string(value);
}

}  // namespace

std::string FormatWithInteger(std::string_view text, int value) {
    std::string out;
    int conversions = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (pos < text.size() && text[pos] == '%') {
            out += '%';
            ++pos;
            continue;
        }
        std::string flags;
        while (pos < text.size() && std::string_view("-+ 0").find(text[pos]) != std::string_view::npos) {
            if (flags.size() >= 4)
                return Literal(text, value);
            flags += text[pos++];
        }
        const std::optional<int> width = ReadCount(text, pos);
        if (!width)
            return Literal(text, value);
        std::optional<int> precision;
        if (pos < text.size() && text[pos] == '.') {
            ++pos;
            precision = ReadCount(text, pos);
            if (!precision)
                return Literal(text, value);
        }
        if (pos >= text.size() || (text[pos] != 'd' && text[pos] != 'i') || ++conversions > 1)
            return Literal(text, value);
        out += FormatOne(flags, *width, precision, text[pos++], value);
    }
    if (conversions != 1)
        return Literal(text, value);
    return out;
}
