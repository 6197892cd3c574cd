#include "render/ini_file_win.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace {
const char kSection[] = "Settings";
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

int IniFile::ReadInt(const char* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntA(kSection, key, fallback, path_.c_str()));
}

std::string IniFile::ReadString(const char* key, const char* fallback, size_t maxChars) const {
    std::vector<char> buffer(maxChars + 1, '\0');
    const DWORD n = GetPrivateProfileStringA(kSection, key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             path_.c_str());
    return std::string(buffer.data(), n < buffer.size() ? n : maxChars);
}
