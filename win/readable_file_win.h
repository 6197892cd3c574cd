#pragma once
// Whether a path may be opened for reading: not a device name, and on disk
// neither a folder nor a device. Reading a device blocks the one thread the
// clock has, so every file it reads is checked first; a refused path is
// reported the way a missing file is.

#include <string>

// An existing regular file that is no device.
bool IsReadableFile(const std::string& path);

// A device name, or an existing folder or device; a missing path is none. For
// readers that pass a missing file on to a platform call that fails by itself.
bool IsDeviceOrFolder(const std::string& path);
