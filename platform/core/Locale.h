// The user's interface language and locale as Windows language identifiers.
//
// Both come from the POSIX locale environment. The interface language follows the message
// locale: LC_ALL, else LC_MESSAGES, else LANG; as with gettext, the list in LANGUAGE (entries
// separated by ":") comes first unless that locale is "C" or "POSIX". The user locale (formats)
// follows LC_ALL, else LANG. A name missing from the table counts as English (1033).
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

using LANGID = std::uint16_t;

inline constexpr LANGID kEnglishUnitedStates = 1033;

// The identifier for a locale name such as "de_DE.UTF-8", "pt_BR", "sr_RS@latin" or "fr";
// a language without a territory gets that language's usual identifier; 0 when unknown.
LANGID LanguageIdFromLocaleName(std::string_view name);

class ILocale {
public:
    virtual ~ILocale() = default;
    virtual LANGID UserInterfaceLanguage() = 0;
    // Language part (low 16 bits) of the user locale.
    virtual LANGID UserLocaleLanguage() = 0;

    static constexpr const char* kServiceName = "Locale";
    static ILocale& Default();
};

} // namespace platform
