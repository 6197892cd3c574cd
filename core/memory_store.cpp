#include "core/settings_store.h"

std::optional<uint32_t> MemoryStore::ReadInt(const std::string& section, const std::string& name) const {
    auto s = sections_.find(section);
    if (s == sections_.end())
        return std::nullopt;
    auto v = s->second.find(name);
    if (v == s->second.end() || !v->second.isInt)
        return std::nullopt;
    return v->second.number;
}

std::optional<std::string> MemoryStore::ReadString(const std::string& section, const std::string& name) const {
    auto s = sections_.find(section);
    if (s == sections_.end())
        return std::nullopt;
    auto v = s->second.find(name);
    if (v == s->second.end() || v->second.isInt)
        return std::nullopt;
    return v->second.text;
}

bool MemoryStore::Spend() {
    if (remainingOperations_ == 0)
        return false;
    if (remainingOperations_ > 0)
        --remainingOperations_;
    return true;
}

bool MemoryStore::WriteInt(const std::string& section, const std::string& name, uint32_t value) {
    if (!Spend())
        return false;
    Value v;
    v.isInt = true;
    v.number = value;
    sections_[section][name] = v;
    return true;
}

bool MemoryStore::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    if (!Spend())
        return false;
    Value v;
    v.text = value;
    sections_[section][name] = v;
    return true;
}

bool MemoryStore::DeleteValue(const std::string& section, const std::string& name) {
    if (!Spend())
        return false;
    auto s = sections_.find(section);
    if (s != sections_.end())
        s->second.erase(name);
    return true;
}

bool MemoryStore::DeleteSection(const std::string& section) {
    if (!Spend())
        return false;
    // Subkeys go with their parent, as in the registry.
    const std::string prefix = section + "\\";
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (it->first == section || it->first.compare(0, prefix.size(), prefix) == 0)
            it = sections_.erase(it);
        else
            ++it;
    }
    return true;
}
