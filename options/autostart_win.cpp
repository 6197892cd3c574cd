#include "options/autostart_win.h"

#include <shellapi.h>

#include <cstring>
#include <exception>
#include <vector>

#include "options/reg_parameters.h"
#include "options/system_error_text.h"
#include "win/message_box_win.h"
#include "win/unique_handle.h"

namespace {

// Windows documents REG_SZ data as including the terminating zero; readers
// that trust it would run off the end of a value stored without one.
LONG WriteString(HKEY key, const char* name, const std::string& text) {
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
}

// A fresh profile may not have its Run key yet.
UniqueRegKey OpenForWriting(HKEY root, const std::string& path, LONG& status) {
    UniqueRegKey key;
    status = ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(),
                               nullptr);
    return key;
}

void ShowPlainMessage(HWND owner, const char* text) {
    ShowMessageBox(owner, text, "Tavix", MB_ICONERROR);
}

}  // namespace

AutostartKeys DefaultAutostartKeys() {
    AutostartKeys keys;
    keys.path = kRunKeyPath;
    return keys;
}

bool AutostartPresent(HKEY root, const std::string& keyPath) {
    UniqueRegKey key;
    if (::RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    std::vector<char> data;
    DWORD type = 0;
    LONG status = ERROR_MORE_DATA;
    // The value may grow between asking its size and reading it.
    for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        if (::RegQueryValueExA(key.get(), kAutostartValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return false;
        data.resize(size + 1);
        size = static_cast<DWORD>(data.size());
        status = ::RegQueryValueExA(key.get(), kAutostartValueName, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS)
            data.resize(size);
    }
    // Any entry named "Tavix" counts, quoted or bare and however long: unticking
    // must be able to remove whatever an earlier version or another copy wrote.
    return status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ);
}

std::string ModuleFileName() {
    // A buffer that was too small gets a cut-off path and no error on some
    // systems: only a result shorter than the buffer is known to be whole.
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size() - 1)
            return std::string(path.data(), length);
        if (path.size() >= 32768)
            return std::string();
        path.resize(path.size() * 2);
    }
}

void ShowSystemError(DWORD code) {
    if (code == 0)
        code = ::GetLastError();
    char text[256] = {};
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                          MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof(text), nullptr);
    ShowMessage(SystemErrorText(std::string(text, length), code).c_str());
}

bool RunElevatedReg(HWND owner, const std::string& parameters) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "runas";
    info.lpFile = "reg.exe";
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    if (::ShellExecuteExA(&info))
        return true;
    char text[64];
    wsprintfA(text, "Error: ShellExecuteEx failed 0x%x\n", static_cast<unsigned>(::GetLastError()));
    ShowMessage(text);
    return false;
}

void SetAutostartForAllUsers(const AutostartKeys& keys, bool enable, bool isVistaOrLater, HWND owner) {
    try {
        LONG status = ERROR_SUCCESS;
        UniqueRegKey key = OpenForWriting(keys.machineRoot, keys.path, status);
        switch (RouteForMachineKey(status, isVistaOrLater)) {
            case AllUsersRoute::WriteDirectly:
                if (enable) {
                    const std::string path = ModuleFileName();
                    const LONG written = path.empty() ? LONG(ERROR_FILENAME_EXCED_RANGE)
                                                      : WriteString(key.get(), kAutostartValueName, RunValueFor(path));
                    if (written != ERROR_SUCCESS)
                        ShowSystemError(static_cast<DWORD>(written));
                } else {
                    ::RegDeleteValueA(key.get(), kAutostartValueName);
                }
                return;
            case AllUsersRoute::ReportError:
                ShowSystemError(static_cast<DWORD>(status));
                return;
            case AllUsersRoute::ElevateRegExe:
                break;
        }
        const std::string program = enable ? ModuleFileName() : std::string();
        if (enable && program.empty()) {
            ShowSystemError(ERROR_FILENAME_EXCED_RANGE);
            return;
        }
        const std::optional<std::string> parameters = enable ? RegAddParameters(keys.path, kAutostartValueName, program)
                                                             : RegDeleteParameters(keys.path, kAutostartValueName);
        if (!parameters) {
            ShowPlainMessage(owner,
                             "The program's path is too long for the all-users start entry: "
                             "move Tavix to a shorter path or start it for this user only.");
            return;
        }
        RunElevatedReg(owner, *parameters);
    } catch (const std::exception&) {
        ShowMessage("Error accessing SYSTEM registry!");
    }
}

void SetAutostartForThisUser(const AutostartKeys& keys, bool enable) {
    LONG status = ERROR_SUCCESS;
    UniqueRegKey key = OpenForWriting(keys.userRoot, keys.path, status);
    if (status != ERROR_SUCCESS) {
        ShowSystemError(static_cast<DWORD>(status));
        return;
    }
    if (!enable) {
        ::RegDeleteValueA(key.get(), kAutostartValueName);
        return;
    }
    try {
        const std::string path = ModuleFileName();
        const LONG written = path.empty() ? LONG(ERROR_FILENAME_EXCED_RANGE)
                                          : WriteString(key.get(), kAutostartValueName, RunValueFor(path));
        if (written != ERROR_SUCCESS)
            ShowSystemError(static_cast<DWORD>(written));
    } catch (const std::exception&) {
        ShowMessage("Error accessing user registry!");
    }
}
