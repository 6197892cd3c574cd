#include "app/registry_store_win.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

RegistryStore::RegistryStore(HKEY root, std::string keyPath) : keyPath_(std::move(keyPath)) {
    ::RegCreateKeyExA(root, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      key_.put(), nullptr);
}

HKEY RegistryStore::OpenSection(const std::string& section, bool create) const {
    if (!key_)
        return nullptr;
    if (openKey_ && openSection_ == section && (openForWriting_ || !create))
        return openKey_.get();
    UniqueRegKey sectionKey;
    // Section "" opens a second handle to the application's key itself.
    if (create) {
        ::RegCreateKeyExA(key_.get(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, sectionKey.put(), nullptr);
    } else if (::RegOpenKeyExA(key_.get(), section.c_str(), 0, KEY_READ | KEY_WRITE, sectionKey.put()) ==
               ERROR_SUCCESS) {
        // Writes to a section usually follow reads of it: one handle serves both.
        create = true;
    } else {
        ::RegOpenKeyExA(key_.get(), section.c_str(), 0, KEY_READ, sectionKey.put());
    }
    if (!sectionKey)
        return nullptr;
    openSection_ = section;
    openKey_ = std::move(sectionKey);
    openForWriting_ = create;
    return openKey_.get();
}

template <typename Call>
LONG RegistryStore::OnSection(const std::string& section, bool create, Call call) const {
    HKEY key = OpenSection(section, create);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    const LONG status = call(key);
    if (status != ERROR_KEY_DELETED)
        return status;
    openKey_.reset();
    key = OpenSection(section, create);
    return key ? call(key) : ERROR_FILE_NOT_FOUND;
}

std::optional<uint32_t> RegistryStore::ReadInt(const std::string& section, const std::string& name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = OnSection(section, false, [&](HKEY key) {
        size = sizeof value;
        return ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    });
    // A DWORD of another size is damaged, not a number.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

std::optional<std::string> RegistryStore::ReadString(const std::string& section, const std::string& name) const {
    std::optional<std::string> result;
    OnSection(section, false, [&](HKEY key) -> LONG {
        std::vector<char> data;
        // The value may grow between the size query and the read: ask again then.
        for (int attempt = 0; attempt < 8; ++attempt) {
            DWORD type = 0;
            DWORD size = 0;
            LONG status = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
            if (status != ERROR_SUCCESS || type != REG_SZ)
                return status;
            // One spare byte: a REG_SZ need not carry its terminator.
            data.assign(static_cast<size_t>(size) + 1, '\0');
            status = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
            if (status == ERROR_MORE_DATA)
                continue;
            if (status != ERROR_SUCCESS || type != REG_SZ)
                return status;
            const size_t stored = std::min<size_t>(size, data.size() - 1);
            result = std::string(data.data(), ::strnlen(data.data(), stored));
            return ERROR_SUCCESS;
        }
        return ERROR_MORE_DATA;
    });
    return result;
}

bool RegistryStore::WriteInt(const std::string& section, const std::string& name, uint32_t value) {
    const DWORD data = value;
    return OnSection(section, true, [&](HKEY key) {
               return ::RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                       sizeof data);
           }) == ERROR_SUCCESS;
}

bool RegistryStore::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    // Up to the first NUL, with the terminator, as a reader of REG_SZ expects.
    const size_t length = ::strnlen(value.c_str(), value.size());
    if (length >= MAXDWORD)
        return false;
    return OnSection(section, true, [&](HKEY key) {
               return ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(length + 1));
           }) == ERROR_SUCCESS;
}

bool RegistryStore::DeleteValue(const std::string& section, const std::string& name) {
    if (!key_)
        return false;
    // A second try when the kept key was deleted under it (by another process).
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!(openKey_ && openSection_ == section && openForWriting_)) {
            // Opened, never created: without the section there is no value either.
            UniqueRegKey sectionKey;
            const LONG status = ::RegOpenKeyExA(key_.get(), section.c_str(), 0, KEY_READ | KEY_WRITE, sectionKey.put());
            if (status == ERROR_FILE_NOT_FOUND)
                return true;
            if (status != ERROR_SUCCESS)
                return false;
            openSection_ = section;
            openKey_ = std::move(sectionKey);
            openForWriting_ = true;
        }
        const LONG status = ::RegDeleteValueA(openKey_.get(), name.c_str());
        if (status != ERROR_KEY_DELETED)
            return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
        openKey_.reset();
    }
    return false;
}

bool RegistryStore::DeleteSection(const std::string& section) {
    if (!key_)
        return false;
    // The kept section may be this one or lie below it.
    openKey_.reset();
    // For "" this empties the application's key (values and subkeys) but keeps it.
    const LONG status = ::RegDeleteTreeA(key_.get(), section.empty() ? nullptr : section.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::string AppRegistryKeyPath(const std::string& appName) {
    return "Software\\Quandel\\" + appName;
}
