#pragma once
// Windows' 8-bit code pages; the texts of the program are in the system's
// (CP_ACP), the one the A functions show texts in.

#include "core/code_page.h"

class WindowsCodePage final : public CodePage {
public:
    // A code page number such as 1252 or 932; CP_ACP (0) is the system's.
    explicit WindowsCodePage(unsigned codePage) : codePage_(codePage) {}

    std::string FromUtf8(std::string_view utf8) const override;
    bool IsLeadByte(unsigned char byte) const override;

private:
    unsigned codePage_;
};

// The system's code page.
const CodePage& TheSystemCodePage();
