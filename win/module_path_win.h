#pragma once
// The full path of the running program, however long. A MAX_PATH buffer cuts
// a longer path short without failing, and the clock would then take its
// registry key from a cut-off name ("Tavi") and ignore the user's settings.

#include <optional>
#include <string>

// What the program says when it cannot know its own name.
constexpr const char* kPathUnknownMessage = "Cannot read the program's path!";

// Nullopt when the platform cannot give the whole name.
std::optional<std::string> ExecutablePath();
