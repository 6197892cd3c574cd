#include "core/safe_file_name.h"

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// "\\.\", "\\?\" and "\??\" reach devices and the object namespace directly.
bool InDeviceNamespace(const std::string& path) {
    if (path.size() < 4 || !IsSeparator(path[0]) || !IsSeparator(path[3]))
        return false;
    const char a = path[1];
    const char b = path[2];
    return (IsSeparator(a) && (b == '.' || b == '?')) || (a == '?' && b == '?');
}

// Windows keeps the superscript digits of code page 1252 in COM and LPT names.
bool IsPortDigit(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '1' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

bool IsDeviceStem(const std::string& stem) {
    static const char* const kNames[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* name : kNames) {
        if (stem == name)
            return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
           IsPortDigit(stem[3]);
}

}  // namespace

bool NamesDevice(const std::string& path) {
    if (InDeviceNamespace(path))
        return true;
    size_t start = path.size();
    while (start > 0 && !IsSeparator(path[start - 1]))
        --start;
    // A drive prefix without a separator ("C:com1") still names the device.
    if (start == 0 && path.size() >= 2 && path[1] == ':')
        start = 2;
    // The device is found from the name up to the first "." or ":", trailing
    // spaces removed: "com1.tar.gz" and "COM1 " are the port too.
    std::string stem;
    for (size_t i = start; i < path.size() && path[i] != '.' && path[i] != ':'; ++i)
        stem += Lower(path[i]);
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    return IsDeviceStem(stem);
}
