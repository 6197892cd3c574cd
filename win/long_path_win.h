#pragma once
// Paths of MAX_PATH characters or more. The 8-bit file functions refuse them,
// though the C runtime still opens such files; a clock in a deep folder reaches
// them through the wide functions and the "\\?\" form.

#include <string>

// The path in UTF-16 from the system code page; a path of MAX_PATH characters
// or more comes as a full "\\?\" path (empty when it cannot be made one).
std::wstring WidePathForFileCalls(const std::string& path);

// True when the 8-bit file functions would refuse the path for its length.
bool IsLongPath(const std::string& path);
