#include "alarms/system_shutdown_win.h"

#include <windows.h>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "win/message_box_win.h"
#include "win/unique_handle.h"

namespace {

constexpr DWORD kShutdownTimeoutSeconds = 60;

void EnableShutdownPrivilege() {
    UniqueKernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()))
        return;
    TOKEN_PRIVILEGES privileges{};
    if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

}  // namespace

void ShutDownSystem(bool isNT) {
    if (isNT) {
        EnableShutdownPrivilege();
        ::InitiateSystemShutdownA(nullptr, const_cast<char*>(TheLanguageTable().Text(lang::kShutdownNotice)),
                                  kShutdownTimeoutSeconds, TRUE, FALSE);
        return;
    }
    ::ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0);
    ShowMessage(TheLanguageTable().Text(lang::kShutdownNotice));
}
