#pragma once
// The text shown for a platform error code.

#include <cstdint>
#include <string>
#include <string_view>

// The system's own text without its trailing line break; when the system has
// none, "Error <code>" with the code in decimal, so the user always has
// something to look up.
std::string SystemErrorText(std::string_view systemText, uint32_t code);
