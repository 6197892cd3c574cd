#include "win/readable_file_win.h"

#include <windows.h>

#include "core/safe_file_name.h"
#include "win/long_path_win.h"

#include <string>

namespace {

// The attributes through the wide function: the 8-bit one refuses paths of
// MAX_PATH characters or more, which the C runtime still opens, and a clock
// in a deep folder would then find none of its files.
DWORD AttributesOf(const std::string& path) {
    const std::wstring wide = WidePathForFileCalls(path);
    return wide.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(wide.c_str());
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
