#include "win/module_path_win.h"

#include <windows.h>

#include <vector>

std::optional<std::string> ExecutablePath() {
    // Paths are limited to 32767 characters; a longer result cannot be a name.
    constexpr DWORD kLongestPath = 32768;
    for (DWORD size = MAX_PATH; size <= 2 * kLongestPath; size *= 2) {
        std::vector<char> buffer(size, '\0');
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0)
            return std::nullopt;
        // A cut name fills the buffer exactly (XP even leaves it unterminated
        // and reports no error), so only a shorter result is known whole.
        if (length < size && ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::string(buffer.data(), length);
    }
    return std::nullopt;
}
