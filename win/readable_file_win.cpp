#include "win/readable_file_win.h"

#include <windows.h>

#include "core/safe_file_name.h"

bool IsReadableFile(const std::string& path) {
    // The name is checked first: asking a device for its attributes may
    // already open it.
    if (path.empty() || NamesDevice(path))
        return false;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}
