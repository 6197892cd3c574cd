#pragma once
// The address of the online help page for the sheet's current page.

#include <string>
#include <string_view>

// The language's name as the help site knows it: the language file's name up
// to its first "." (empty without a "."), not yet lower-cased.
std::string HelpLanguageName(std::string_view langFile);

// base + "help.php?lang=" + language + "&tab=" + tab. `base` ends with a slash;
// `language` is already lower-cased by the caller, who knows the code page.
std::string HelpAddress(std::string_view base, std::string_view language, int tab);
