#include "win/temporary_copy_win.h"

#include <windows.h>

#include "win/long_path_win.h"

TemporaryCopy::TemporaryCopy(const std::string& source) {
    const std::wstring from = WidePathForFileCalls(source);
    char folder[MAX_PATH + 1];
    const DWORD length = ::GetTempPathA(MAX_PATH + 1, folder);
    char name[MAX_PATH];
    // GetTempFileNameA makes the file, so the name is ours until we remove it.
    if (from.empty() || length == 0 || length > MAX_PATH || ::GetTempFileNameA(folder, "tvx", 0, name) == 0)
        return;
    path_ = name;
    const int n = ::MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0);
    std::wstring to(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
    if (n <= 0 || !::MultiByteToWideChar(CP_ACP, 0, name, -1, to.data(), n) ||
        !::CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        ::DeleteFileA(path_.c_str());
        path_.clear();
    }
}

TemporaryCopy::~TemporaryCopy() {
    if (!path_.empty())
        ::DeleteFileA(path_.c_str());
}
