#include "win/long_path_win.h"

#include <windows.h>

std::wstring WidePathForFileCalls(const std::string& path) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
    if (wide.size() < MAX_PATH)
        return wide;
    // "\\?\" takes only a full path without "." or ".." parts.
    const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size)
        return std::wstring();
    full.resize(length);
    if (full.size() > 2 && full[1] == L':')
        return L"\\\\?\\" + full;
    return full;
}

bool IsLongPath(const std::string& path) {
    return path.size() >= MAX_PATH;
}
