#include "ring_settings_win.h"

#include <windows.h>

namespace {

const char* const kKeyPath = "Software\\Quandel\\SecondsRing";

// The plug-in builds against the SDK header alone, so it keeps its own owner.
class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (key_)
            ::RegCloseKey(key_);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* put() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool ReadDword(HKEY key, const char* name, DWORD& value) {
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

bool WriteDword(HKEY key, const char* name, DWORD value) {
    return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

// A stored DWORD read as a signed count, so a huge value clamps to the top, not the bottom.
int ToCount(DWORD value) {
    return value > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(value);
}

}  // namespace

RingSettings LoadRingSettings() {
    RingSettings settings;
    RegKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return settings;
    DWORD value = 0;
    if (ReadDword(key.get(), "Color", value))
        settings.color = value;
    if (ReadDword(key.get(), "Width", value))
        settings.width = ToCount(value);
    if (ReadDword(key.get(), "Size", value))
        settings.sizePercent = ToCount(value);
    return ClampRingSettings(settings);
}

bool SaveRingSettings(const RingSettings& raw) {
    const RingSettings settings = ClampRingSettings(raw);
    RegKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return WriteDword(key.get(), "Color", settings.color) &&
           WriteDword(key.get(), "Width", static_cast<DWORD>(settings.width)) &&
           WriteDword(key.get(), "Size", static_cast<DWORD>(settings.sizePercent));
}
