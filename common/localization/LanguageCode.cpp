#include "LanguageCode.h"

#include "platform/core/Services.h"

#include <algorithm>
#include <array>

namespace {

struct PrimaryCode {
    unsigned primary; // low 8 bits of the identifier
    const char16_t* code;
};

constexpr auto kPrimaryCodes = std::to_array<PrimaryCode>({
    {1, u"ARWW"},  {3, u"CAWW"},  {4, u"ZHCN"},  {5, u"CSWW"},  {6, u"DAWW"},  {7, u"DEWW"},
    {8, u"ELWW"},  {10, u"ESWW"}, {11, u"FIWW"}, {12, u"FRWW"}, {13, u"HEWW"}, {14, u"HUWW"},
    {16, u"ITWW"}, {17, u"JAWW"}, {18, u"KOWW"}, {19, u"NLWW"}, {20, u"NOWW"}, {21, u"PLWW"},
    {22, u"PTWW"}, {25, u"RUWW"}, {27, u"SKWW"}, {29, u"SVWW"}, {30, u"THWW"}, {31, u"TRWW"},
    {33, u"IDWW"},
});

constexpr std::array<platform::LANGID, 12> kMessageLanguages = {
    1028, 1031, 1033, 1036, 1040, 1041, 1042, 1043, 1046, 1049, 2052, 3082,
};

} // namespace

CString ChooseLanguageCode(platform::LANGID language)
{
    switch (language) {
    case 1027: return u"CAWW";
    case 1028: return u"ZHTW";
    case 2052: return u"ZHCN";
    default: break;
    }
    unsigned primary = language & 0xFFu;
    for (const auto& row : kPrimaryCodes)
        if (row.primary == primary)
            return row.code;
    return u"ENWW";
}

CString ChooseLanguageCode()
{
    return ChooseLanguageCode(platform::Use<platform::ILocale>().UserInterfaceLanguage());
}

platform::LANGID MessageLanguage(platform::LANGID language)
{
    bool hasTable = std::find(kMessageLanguages.begin(), kMessageLanguages.end(), language) !=
                    kMessageLanguages.end();
    return hasTable ? language : platform::kEnglishUnitedStates;
}
