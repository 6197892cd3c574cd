#pragma once
// The settings store over the registry: values under root\keyPath\<section>,
// section "" being the key itself. Integers are REG_DWORD, strings REG_SZ.

#include <windows.h>

#include <string>

#include "core/settings_store.h"
#include "win/unique_handle.h"

class RegistryStore : public SettingsStore {
public:
    // Creates root\keyPath when it does not exist yet.
    RegistryStore(HKEY root, std::string keyPath);

    std::optional<uint32_t> ReadInt(const std::string& section, const std::string& name) const override;
    std::optional<std::string> ReadString(const std::string& section, const std::string& name) const override;
    bool WriteInt(const std::string& section, const std::string& name, uint32_t value) override;
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool DeleteValue(const std::string& section, const std::string& name) override;
    bool DeleteSection(const std::string& section) override;

    bool IsOpen() const { return static_cast<bool>(key_); }

private:
    // The section's key for reading (never created) or for writing (created).
    UniqueRegKey OpenSection(const std::string& section, bool create) const;

    std::string keyPath_;
    UniqueRegKey key_;
};

// The application's key below HKEY_CURRENT_USER.
std::string AppRegistryKeyPath(const std::string& appName);
