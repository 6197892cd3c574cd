#include "win/readable_file_win.h"

#include <windows.h>

#include "core/safe_file_name.h"

#include <string>

namespace {

// The attributes through the wide function: the 8-bit one refuses paths of
// MAX_PATH characters or more, which the C runtime still opens, and a clock
// in a deep folder would then find none of its files.
DWORD AttributesOf(const std::string& path) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return INVALID_FILE_ATTRIBUTES;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
    if (wide.size() >= MAX_PATH) {
        // A long path is reached through "\\?\", which takes only a full path
        // without "." or ".." parts.
        const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        std::wstring full(size, L'\0');
        const DWORD length = size ? ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr) : 0;
        if (length == 0 || length >= size)
            return INVALID_FILE_ATTRIBUTES;
        full.resize(length);
        if (full.size() > 2 && full[1] == L':')
            wide = L"\\\\?\\" + full;
    }
    return ::GetFileAttributesW(wide.c_str());
}

enum class PathKind { Missing, File, NotAFile };

PathKind KindOf(const std::string& path) {
    // The name is checked first: asking a device for its attributes may
    // already open it.
    if (NamesDevice(path))
        return PathKind::NotAFile;
    const DWORD attributes = AttributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0 ? PathKind::File : PathKind::NotAFile;
}

}  // namespace

bool IsReadableFile(const std::string& path) {
    return !path.empty() && KindOf(path) == PathKind::File;
}

bool IsDeviceOrFolder(const std::string& path) {
    return !path.empty() && KindOf(path) == PathKind::NotAFile;
}
