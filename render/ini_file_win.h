#pragma once
// Section "Settings" of a preset's .INI file through the platform's
// private-profile reader.

#include <memory>
#include <string>

#include "render/preset_settings.h"

class TemporaryCopy;

class IniFile : public IniSource {
public:
    explicit IniFile(std::string path);
    ~IniFile() override;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    int ReadInt(const char* key, int fallback) const override;
    std::string ReadString(const char* key, const char* fallback, size_t maxChars) const override;

private:
    std::string path_;
    bool readable_;
    // The reader refuses paths of MAX_PATH characters or more: a preset in a
    // deep folder is read from a copy.
    std::unique_ptr<TemporaryCopy> copy_;
};
