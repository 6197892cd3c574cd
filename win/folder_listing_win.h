#pragma once
// The names of the files in one folder that match a pattern, as the preset,
// language and plug-in lists need them.

#include <string>
#include <vector>

// `pattern` is a folder and a file pattern, e.g. "C:\\Tavix\\Presets\\*.png".
// Returns the bare file names (no folder) in the order the file system gives
// them; folders are left out. Empty when the folder is missing or nothing matches.
std::vector<std::string> ListFileNames(const std::string& pattern);
