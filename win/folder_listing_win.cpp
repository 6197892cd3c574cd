#include "win/folder_listing_win.h"

#include <windows.h>

#include "win/unique_handle.h"

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' and '?' without regard to ASCII case, as the file system matches long names.
bool MatchesWildcard(const char* name, const char* pattern) {
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name) {
        if (*pattern == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == '?' || Lower(*pattern) == Lower(*name)) {
            ++pattern;
            ++name;
        } else if (starPattern) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == 0;
}

bool MatchesFilePattern(const std::string& name, const std::string& pattern) {
    if (MatchesWildcard(name.c_str(), pattern.c_str()))
        return true;
    // The system's "name.*" also matches a name without any extension.
    const size_t length = pattern.size();
    return length >= 2 && pattern.compare(length - 2, 2, ".*") == 0 && name.find('.') == std::string::npos &&
           MatchesWildcard(name.c_str(), pattern.substr(0, length - 2).c_str());
}

}  // namespace

std::vector<std::string> ListFileNames(const std::string& pattern) {
    std::vector<std::string> names;
    const size_t slash = pattern.find_last_of("\\/:");
    const std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    WIN32_FIND_DATAA found{};
    UniqueFind search(::FindFirstFileA(pattern.c_str(), &found));
    if (!search)
        return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // The system also matches the generated 8.3 names, so "*.png" finds
        // "face.pngold" through "FACE~1.PNG": only the long name counts.
        if (!MatchesFilePattern(found.cFileName, namePattern))
            continue;
        names.emplace_back(found.cFileName);
    } while (::FindNextFileA(search.get(), &found));
    return names;
}
