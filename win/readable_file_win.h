#pragma once
// Whether a path may be opened for reading: not a device name, and on disk
// neither a folder nor a device. Reading a device blocks the one thread the
// clock has, so every file it reads is checked first; a refused path is
// reported the way a missing file is.

#include <string>

bool IsReadableFile(const std::string& path);
