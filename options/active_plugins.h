#pragma once
// The text of ActivePlugins: every enabled plug-in's file name followed by "|",
// e.g. "a.dll|b.dll|". It is 8-bit text in the system code page, so a "|" or a
// backslash can be the second byte of a double-byte character; the callers on
// Windows pass the code page's lead-byte test.

#include <string>
#include <string_view>
#include <vector>

// True for a byte that starts a double-byte character.
using LeadBytePredicate = bool (*)(unsigned char byte);

// The names in the order listed, empty names between two bars included. A last
// name without its "|" does not count: the page that writes the value ends
// every name with one, so a missing bar means the text was cut off.
std::vector<std::string> SplitActivePlugins(std::string_view value, LeadBytePredicate isLeadByte = nullptr);

// A name that can only mean a file inside the plug-in folder: not empty, and no
// folder or drive part that would reach outside it.
bool IsPlainPluginFileName(std::string_view name, LeadBytePredicate isLeadByte = nullptr);

// The value for the enabled names, in the order given: each followed by "|".
// Empty for no names, which the caller stores by deleting the value.
std::string JoinActivePlugins(const std::vector<std::string>& names);
