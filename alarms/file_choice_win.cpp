#include "alarms/file_choice_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "win/proc_address_win.h"
#include "win/unique_handle.h"

namespace {

using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEA*);

// The dialog's library is loaded the first time a file is chosen, not with
// the program: imported, it brings the printing libraries along, several
// megabytes that a running clock would hold for nothing. From the system
// folder only, so that no file beside the program stands in for it.
GetOpenFileNameFn OpenFileDialog() {
    static UniqueModule library;
    if (!library) {
        char folder[MAX_PATH] = {};
        const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return nullptr;
        library.reset(::LoadLibraryA((std::string(folder, length) + "\\comdlg32.dll").c_str()));
    }
    return LookupProc<GetOpenFileNameFn>(library.get(), "GetOpenFileNameA");
}

std::function<std::optional<std::string>(const FileChoice&)>& TestChooser() {
    static std::function<std::optional<std::string>(const FileChoice&)> chooser;
    return chooser;
}

}  // namespace

std::string PlatformFilter(const std::string& barSeparated) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < barSeparated.size()) {
        size_t bar = barSeparated.find('|', start);
        if (bar == std::string::npos)
            bar = barSeparated.size();
        parts.push_back(barSeparated.substr(start, bar - start));
        start = bar + 1;
    }
    // An empty part would end the platform's list early; an odd one has no pattern.
    parts.erase(std::remove(parts.begin(), parts.end(), std::string()), parts.end());
    if (parts.size() % 2)
        parts.pop_back();
    std::string filter;
    for (const std::string& part : parts) {
        filter += part;
        filter += '\0';
    }
    if (!filter.empty())
        filter += '\0';
    return filter;
}

std::optional<std::string> ChooseFile(const FileChoice& choice) {
    if (TestChooser())
        return TestChooser()(choice);
    // Room for any path the platform may hand back, and for the stored one we
    // start from, however long a hand-edited value made it.
    std::vector<char> file(std::max<size_t>(32768, choice.initialFile.size() + 1), '\0');
    std::copy(choice.initialFile.begin(), choice.initialFile.end(), file.begin());
    const std::string filter = PlatformFilter(choice.filter);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = choice.owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // The current folder stays ours: a relative program path must not change meaning.
    dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    const GetOpenFileNameFn open = OpenFileDialog();
    if (!open || !open(&dialog))
        return std::nullopt;
    return std::string(file.data());
}

void SetFileChooserForTesting(std::function<std::optional<std::string>(const FileChoice&)> chooser) {
    TestChooser() = std::move(chooser);
}
