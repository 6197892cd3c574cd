#pragma once
// A store that forwards to another until its budget of changes is spent and
// refuses every change after that: a kill or power cut in the middle of a
// sequence of writes. Reads always go through. With a budget of INT_MAX it
// just counts the changes.

#include <optional>
#include <string>

#include "core/settings_store.h"

class InterruptedStore : public SettingsStore {
public:
    InterruptedStore(SettingsStore& inner, int budget) : inner_(inner), budget_(budget) {}

    std::optional<uint32_t> ReadInt(const std::string& s, const std::string& n) const override {
        return inner_.ReadInt(s, n);
    }
    std::optional<std::string> ReadString(const std::string& s, const std::string& n) const override {
        return inner_.ReadString(s, n);
    }
    bool WriteInt(const std::string& s, const std::string& n, uint32_t v) override {
        return Spend() && inner_.WriteInt(s, n, v);
    }
    bool WriteString(const std::string& s, const std::string& n, const std::string& v) override {
        return Spend() && inner_.WriteString(s, n, v);
    }
    bool DeleteValue(const std::string& s, const std::string& n) override {
        return Spend() && inner_.DeleteValue(s, n);
    }
    bool DeleteSection(const std::string& s) override { return Spend() && inner_.DeleteSection(s); }

    // Whether a change was refused: false means the work ran to its end.
    bool Cut() const { return cut_; }
    // The changes let through so far.
    int Changes() const { return changes_; }

private:
    bool Spend() {
        if (budget_ > 0) {
            --budget_;
            ++changes_;
            return true;
        }
        cut_ = true;
        return false;
    }

    SettingsStore& inner_;
    int budget_;
    bool cut_ = false;
    int changes_ = 0;
};
