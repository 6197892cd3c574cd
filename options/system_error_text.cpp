#include "options/system_error_text.h"

std::string SystemErrorText(std::string_view systemText, uint32_t code) {
    while (!systemText.empty() && (systemText.back() == '\r' || systemText.back() == '\n' || systemText.back() == ' '))
        systemText.remove_suffix(1);
    if (systemText.empty())
        return "Error " + std::to_string(code);
    return std::string(systemText);
}
