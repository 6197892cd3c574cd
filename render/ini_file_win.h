#pragma once
// Section "Settings" of a preset's .INI file through the platform's
// private-profile reader.

#include <string>

#include "render/preset_settings.h"

class IniFile : public IniSource {
public:
    explicit IniFile(std::string path);
    int ReadInt(const char* key, int fallback) const override;
    std::string ReadString(const char* key, const char* fallback, size_t maxChars) const override;

private:
    std::string path_;
    bool readable_;
};
