#pragma once
// The 8-bit code page the program's texts are shown in. Texts are bytes of the
// system's code page (they go through the A functions); a language file saved
// as UTF-8 is converted into it when it is read. On Windows this is the system
// code page (win/system_code_page_win.h); the tests use stand-ins.

#include <cstddef>
#include <string>
#include <string_view>

class CodePage {
public:
    virtual ~CodePage() = default;

    // UTF-8 text in this code page. A character the code page lacks becomes its
    // default character, and a damaged sequence is no error: the text is always
    // converted.
    virtual std::string FromUtf8(std::string_view utf8) const = 0;
    // True for the first byte of a two-byte character (code pages of East Asia).
    virtual bool IsLeadByte(unsigned char byte) const = 0;
};

// The number of bytes of the first `count` characters of text: a lead byte and
// the byte after it are one character, and a lead byte at the very end counts
// alone. Never more than the text's size.
size_t LeadingCharacterBytes(std::string_view text, size_t count, const CodePage& codePage);
