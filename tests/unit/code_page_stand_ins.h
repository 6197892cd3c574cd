#pragma once
// Code pages for the tests of the language files: the real ones are Windows'.

#include <string>
#include <string_view>

#include "core/code_page.h"

// Keeps UTF-8 as it is, as a system whose code page is UTF-8 would.
class Utf8StandIn final : public CodePage {
public:
    std::string FromUtf8(std::string_view utf8) const override { return std::string(utf8); }
    bool IsLeadByte(unsigned char) const override { return false; }
};

// Latin-1: one byte per character up to U+00FF, '?' for every other character
// and for each damaged sequence.
class Latin1StandIn final : public CodePage {
public:
    std::string FromUtf8(std::string_view utf8) const override {
        std::string out;
        size_t i = 0;
        while (i < utf8.size()) {
            const unsigned char lead = static_cast<unsigned char>(utf8[i]);
            const size_t length = lead < 0x80           ? 1
                                  : (lead >> 5) == 0x6  ? 2
                                  : (lead >> 4) == 0xE  ? 3
                                  : (lead >> 3) == 0x1E ? 4
                                                        : 0;
            bool whole = length != 0 && i + length <= utf8.size();
            for (size_t k = 1; whole && k < length; ++k)
                whole = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
            if (!whole) {
                out += '?';
                ++i;
                continue;
            }
            unsigned code = length == 1 ? lead : lead & (0x7F >> length);
            for (size_t k = 1; k < length; ++k)
                code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            out += code <= 0xFF ? static_cast<char>(code) : '?';
            i += length;
        }
        return out;
    }
    bool IsLeadByte(unsigned char) const override { return false; }
};

// The lead bytes of Shift-JIS (Japanese): 0x81..0x9F and 0xE0..0xFC.
class ShiftJisLeadBytes final : public CodePage {
public:
    std::string FromUtf8(std::string_view utf8) const override { return std::string(utf8); }
    bool IsLeadByte(unsigned char byte) const override {
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    }
};
