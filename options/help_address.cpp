#include "options/help_address.h"

std::string HelpLanguageName(std::string_view langFile) {
    // A "." is never the second byte of a double-byte character, so the first
    // one found is a real one.
    const size_t dot = langFile.find('.');
    if (dot == std::string_view::npos)
        return std::string();
    return std::string(langFile.substr(0, dot));
}

std::string HelpAddress(std::string_view base, std::string_view language, int tab) {
    std::string address(base);
    address += "help.php?lang=";
    address += language;
    address += "&tab=";
    address += std::to_string(tab);
    return address;
}
