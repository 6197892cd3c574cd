#pragma once
// The per-user key-value store the clock keeps its options and alarms in.
// Sections are paths below the application's key: "" is the key itself,
// "Alarms\\1" a subkey. On Windows this is the registry (registry_store_win.h);
// the tests use MemoryStore.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A value that is missing or stored with another type reads as nullopt.
    virtual std::optional<uint32_t> ReadInt(const std::string& section, const std::string& name) const = 0;
    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& name) const = 0;
    virtual bool WriteInt(const std::string& section, const std::string& name, uint32_t value) = 0;
    virtual bool WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual bool DeleteValue(const std::string& section, const std::string& name) = 0;
    // Removes the section's key with all its values (and subkeys).
    virtual bool DeleteSection(const std::string& section) = 0;

    uint32_t GetInt(const std::string& section, const std::string& name, uint32_t fallback) const {
        return ReadInt(section, name).value_or(fallback);
    }
    std::string GetString(const std::string& section, const std::string& name, const std::string& fallback) const {
        return ReadString(section, name).value_or(fallback);
    }
};

// In-memory store with the registry's semantics (typed values, section keys).
class MemoryStore : public SettingsStore {
public:
    struct Value {
        bool isInt = false;
        uint32_t number = 0;
        std::string text;
    };
    using Section = std::map<std::string, Value>;

    std::optional<uint32_t> ReadInt(const std::string& section, const std::string& name) const override;
    std::optional<std::string> ReadString(const std::string& section, const std::string& name) const override;
    bool WriteInt(const std::string& section, const std::string& name, uint32_t value) override;
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool DeleteValue(const std::string& section, const std::string& name) override;
    bool DeleteSection(const std::string& section) override;

    bool HasSection(const std::string& section) const { return sections_.count(section) != 0; }
    const std::map<std::string, Section>& Sections() const { return sections_; }

    // When set, every write and delete after this many successful ones fails and
    // changes nothing: a crash or power cut in the middle of a save.
    void FailAfter(int operations) { remainingOperations_ = operations; }

private:
    bool Spend();

    std::map<std::string, Section> sections_;
    int remainingOperations_ = -1;
};
