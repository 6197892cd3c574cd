#include "options/reg_parameters.h"

namespace {

std::optional<std::string> Fitting(std::string line) {
    if (line.size() + 1 > kRegParametersCapacity)
        return std::nullopt;
    return line;
}

}  // namespace

std::string RunValueFor(std::string_view programPath) {
    std::string data = "\"";
    data += programPath;
    data += '"';
    return data;
}

std::optional<std::string> RegAddParameters(std::string_view keyPath,
                                            std::string_view valueName,
                                            std::string_view programPath) {
    if (programPath.find('"') != std::string_view::npos)
        return std::nullopt;
    std::string line = "ADD HKLM\\";
    line += keyPath;
    line += " /v ";
    line += valueName;
    line += " /t REG_SZ /f /d \"\\\"";
    line += programPath;
    line += "\\\"\"";
    return Fitting(std::move(line));
}

std::optional<std::string> RegDeleteParameters(std::string_view keyPath, std::string_view valueName) {
    std::string line = "DELETE HKLM\\";
    line += keyPath;
    line += " /v ";
    line += valueName;
    line += " /f";
    return Fitting(std::move(line));
}

AllUsersRoute RouteForMachineKey(long openStatus, bool isVistaOrLater) {
    constexpr long kSuccess = 0;
    constexpr long kAccessDenied = 5;
    if (openStatus == kSuccess)
        return AllUsersRoute::WriteDirectly;
    if (openStatus == kAccessDenied && isVistaOrLater)
        return AllUsersRoute::ElevateRegExe;
    return AllUsersRoute::ReportError;
}
