#pragma once
// The autostart entry in the platform's Run key, and the command lines for
// reg.exe that write and delete it for all users when the clock itself may not.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kAutostartValueName = "Tavix";
// The Run value's data for `programPath`: the path in double quotes, as reg.exe
// stores it too. Bare, a path with a blank is ambiguous to the shell, which
// tries "C:\Program.exe" first for "C:\Program Files\...".
std::string RunValueFor(std::string_view programPath);

// The buffer the parameters are built in, terminating zero included.
constexpr size_t kRegParametersCapacity = 255;

// ADD HKLM\<key> /v <name> /t REG_SZ /f /d "\"<path>\"": reg.exe stores the
// path in double quotes. Nothing when the line would not fit the buffer or the
// path holds a double quote (which no file name has, and which would end the
// quoted argument early): a cut-off path must never reach the Run key.
std::optional<std::string> RegAddParameters(std::string_view keyPath,
                                            std::string_view valueName,
                                            std::string_view programPath);
// DELETE HKLM\<key> /v <name> /f, or nothing when it would not fit.
std::optional<std::string> RegDeleteParameters(std::string_view keyPath, std::string_view valueName);

// What becomes of an all-users change once the machine's Run key was opened
// for writing with `openStatus` (a system error code, 0 for success): written
// directly, handed to reg.exe elevated (refused for lack of rights where the
// platform can ask the user for consent), or reported to the user.
enum class AllUsersRoute { WriteDirectly, ElevateRegExe, ReportError };
AllUsersRoute RouteForMachineKey(long openStatus, bool isVistaOrLater);
