#pragma once
// The part of an alarm's description that its notice window shows. The edit
// dialog takes at most kDescriptionMaxChars; a longer stored value (from a
// hand-edited registry) is shown cut to that length, because an edit control
// laying out 64 KB froze the clock for seconds. The stored value stays whole.

#include <cstddef>
#include <string>

constexpr size_t kDescriptionMaxChars = 8192;

// At most kDescriptionMaxChars bytes of description, never ending in the
// first byte of a double-byte character (isLeadByte tells those, in the
// system code page).
std::string ShownDescription(const std::string& description, bool (*isLeadByte)(unsigned char));
