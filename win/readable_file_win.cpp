#include "win/readable_file_win.h"

#include <windows.h>

#include "core/safe_file_name.h"

namespace {

enum class PathKind { Missing, File, NotAFile };

PathKind KindOf(const std::string& path) {
    // The name is checked first: asking a device for its attributes may
    // already open it.
    if (NamesDevice(path))
        return PathKind::NotAFile;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
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
