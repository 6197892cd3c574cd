#include "app/start_language.h"

#include "app/clock_settings.h"

namespace {

constexpr unsigned kChinese = 0x04;
constexpr unsigned kCzech = 0x05;
constexpr unsigned kGerman = 0x07;
constexpr unsigned kSpanish = 0x0A;
constexpr unsigned kFrench = 0x0C;
constexpr unsigned kItalian = 0x10;
constexpr unsigned kJapanese = 0x11;
constexpr unsigned kDutch = 0x13;
constexpr unsigned kPolish = 0x15;
constexpr unsigned kPortuguese = 0x16;
constexpr unsigned kRussian = 0x19;

// Sublanguages of Chinese written with simplified characters: neutral
// simplified (zh-Hans), the PRC and Singapore.
bool IsSimplifiedChinese(unsigned sublanguage) {
    return sublanguage == 0x00 || sublanguage == 0x02 || sublanguage == 0x04;
}

}  // namespace

std::string ShippedLanguageFile(uint16_t languageId) {
    const unsigned primary = languageId & 0x3FFu;
    const unsigned sublanguage = static_cast<unsigned>(languageId) >> 10;
    switch (primary) {
        case kChinese:
            return IsSimplifiedChinese(sublanguage) ? "chinese_simplified.lng" : "";
        case kCzech:
            return "czech.lng";
        case kGerman:
            return "german.lng";
        case kSpanish:
            return "spanish.lng";
        case kFrench:
            return "french.lng";
        case kItalian:
            return "italian.lng";
        case kJapanese:
            return "japanese.lng";
        case kDutch:
            return "dutch.lng";
        case kPolish:
            return "polish.lng";
        // Portugal reads the Brazilian file more easily than the English one.
        case kPortuguese:
            return "portuguese_brazil.lng";
        case kRussian:
            return "russian.lng";
        default:
            return "";
    }
}

std::string StartLanguageFile(const SettingsStore& store,
                              uint16_t uiLanguage,
                              const std::function<bool(const std::string&)>& isPresent) {
    if (std::optional<std::string> stored = store.ReadString(kSettingsSection, "LangFile"))
        return *stored;
    const std::string shipped = ShippedLanguageFile(uiLanguage);
    if (!shipped.empty() && isPresent(shipped))
        return shipped;
    return "english.lng";
}
