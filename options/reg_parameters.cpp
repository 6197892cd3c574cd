#include "options/reg_parameters.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

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

bool RunValueNamesProgram(std::string_view data, std::string_view programPath) {
    if (programPath.empty())
        return false;
    data = TrimBlanks(data);
    if (!data.empty() && data[0] == '"') {
        const size_t closing = data.find('"', 1);
        if (closing == std::string_view::npos)
            return false;
        return SameFileName(data.substr(1, closing - 1), programPath);
    }
    return SameFileName(data, programPath);
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
