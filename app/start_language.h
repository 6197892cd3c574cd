#pragma once
// The language the clock speaks: the user's stored choice, or on the first
// start the shipped language file of the user's interface language.

#include <cstdint>
#include <functional>
#include <string>

#include "core/settings_store.h"

// The shipped language file (a name in Lang\) for a Windows language id (the
// primary language in the low 10 bits, the sublanguage above them), or "" when
// none ships for it. Chinese gets the simplified file only where simplified
// characters are written: the traditional code page lacks most of them.
std::string ShippedLanguageFile(uint16_t languageId);

// The stored LangFile whenever one is stored, so that a choice is never
// changed; otherwise the shipped file of uiLanguage when isPresent finds it in
// Lang\, and "english.lng" when not.
std::string StartLanguageFile(const SettingsStore& store,
                              uint16_t uiLanguage,
                              const std::function<bool(const std::string&)>& isPresent);
