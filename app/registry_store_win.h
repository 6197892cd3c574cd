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
    // The section's key for reading (never created) or for writing (created),
    // owned by the store; null when it cannot be opened.
    HKEY OpenSection(const std::string& section, bool create) const;
    // Runs `call` on the section's key; when that key was deleted under the
    // kept handle (by another process), once more on a freshly opened one.
    template <typename Call>
    LONG OnSection(const std::string& section, bool create, Call call) const;

    std::string keyPath_;
    UniqueRegKey key_;
    // The section used last stays open: a save or load touches each section
    // about a dozen times in a row, and every open and close is a round trip
    // to the registry (under Wine to its server).
    mutable std::string openSection_;
    mutable UniqueRegKey openKey_;
    mutable bool openForWriting_ = false;
};

// The application's key below HKEY_CURRENT_USER.
std::string AppRegistryKeyPath(const std::string& appName);
