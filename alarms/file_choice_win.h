#pragma once
// The open-file dialog of the alarm edit dialog's browse buttons.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

struct FileChoice {
    HWND owner = nullptr;
    // Language text of pairs "description|pattern|", each part ended by a bar.
    std::string filter;
    // Where the dialog starts; empty for none.
    std::string initialFile;
};

// The chosen full path, or nullopt when the user cancelled.
std::optional<std::string> ChooseFile(const FileChoice& choice);

// Tests answer in place of the modal system dialog; an empty function restores it.
void SetFileChooserForTesting(std::function<std::optional<std::string>(const FileChoice&)> chooser);

// The filter in the platform's form: the parts separated and ended by zero
// bytes, a second zero at the end. An unpaired last part is dropped; empty
// when nothing remains.
std::string PlatformFilter(const std::string& barSeparated);
