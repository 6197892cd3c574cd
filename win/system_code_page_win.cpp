#include "win/system_code_page_win.h"

#include <windows.h>

#include <climits>

std::string WindowsCodePage::FromUtf8(std::string_view utf8) const {
    // A language text is one line; nothing near the limit of an int is one.
    if (utf8.empty() || utf8.size() > INT_MAX / 4)
        return {};
    const int length = static_cast<int>(utf8.size());
    // Without MB_ERR_INVALID_CHARS a damaged sequence becomes U+FFFD instead of
    // failing the whole text.
    const int wideLength = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &wide[0], wideLength);
    // No best fit: a character the code page lacks becomes its default
    // character rather than a look-alike that may mean something else.
    const int narrowLength =
        ::WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (narrowLength <= 0)
        return {};
    std::string narrow(static_cast<size_t>(narrowLength), '\0');
    ::WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &narrow[0], narrowLength, nullptr,
                          nullptr);
    return narrow;
}

bool WindowsCodePage::IsLeadByte(unsigned char byte) const {
    return ::IsDBCSLeadByteEx(codePage_, byte) != FALSE;
}

const CodePage& TheSystemCodePage() {
    static const WindowsCodePage codePage(CP_ACP);
    return codePage;
}
