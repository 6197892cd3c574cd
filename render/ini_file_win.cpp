#include "render/ini_file_win.h"

#include <windows.h>

#include "win/long_path_win.h"
#include "win/readable_file_win.h"
#include "win/temporary_copy_win.h"

#include <utility>
#include <vector>

namespace {
const char kSection[] = "Settings";
}

// The private-profile reader opens whatever the name is; a settings file that
// is a device or a folder reads as missing.
IniFile::IniFile(std::string path) : path_(std::move(path)), readable_(IsReadableFile(path_)) {
    if (readable_ && IsLongPath(path_)) {
        copy_ = std::make_unique<TemporaryCopy>(path_);
        readable_ = !copy_->Path().empty();
        if (readable_)
            path_ = copy_->Path();
    }
}

IniFile::~IniFile() = default;

int IniFile::ReadInt(const char* key, int fallback) const {
    if (!readable_)
        return fallback;
    return static_cast<int>(GetPrivateProfileIntA(kSection, key, fallback, path_.c_str()));
}

std::string IniFile::ReadString(const char* key, const char* fallback, size_t maxChars) const {
    if (!readable_)
        return std::string(fallback).substr(0, maxChars);
    std::vector<char> buffer(maxChars + 1, '\0');
    const DWORD n = GetPrivateProfileStringA(kSection, key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             path_.c_str());
    return std::string(buffer.data(), n < buffer.size() ? n : maxChars);
}
