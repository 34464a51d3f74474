#include "Locale.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

struct LocaleRow {
    std::string_view name; // "ll_CC" or "ll"; a bare language names its usual identifier
    LANGID id;
};

// Sorted by name for binary search.
constexpr std::array kLocaleTable = std::to_array<LocaleRow>({
    {"C", 1033},      {"POSIX", 1033},  {"ar", 1025},     {"ar_AE", 14337}, {"ar_DZ", 5121},
    {"ar_EG", 3073},  {"ar_IQ", 2049},  {"ar_JO", 11265}, {"ar_KW", 13313}, {"ar_LB", 12289},
    {"ar_MA", 6145},  {"ar_QA", 16385}, {"ar_SA", 1025},  {"ar_SY", 10241}, {"ar_TN", 7169},
    {"bg", 1026},     {"bg_BG", 1026},  {"ca", 1027},     {"ca_ES", 1027},  {"cs", 1029},
    {"cs_CZ", 1029},  {"da", 1030},     {"da_DK", 1030},  {"de", 1031},     {"de_AT", 3079},
    {"de_CH", 2055},  {"de_DE", 1031},  {"de_LI", 5127},  {"de_LU", 4103},  {"el", 1032},
    {"el_GR", 1032},  {"en", 1033},     {"en_AU", 3081},  {"en_CA", 4105},  {"en_GB", 2057},
    {"en_IE", 6153},  {"en_IN", 16393}, {"en_NZ", 5129},  {"en_US", 1033},  {"en_ZA", 7177},
    {"es", 3082},     {"es_AR", 11274}, {"es_CL", 13322}, {"es_CO", 9226},  {"es_ES", 3082},
    {"es_MX", 2058},  {"es_PE", 10250}, {"es_US", 21514}, {"es_VE", 8202},  {"et", 1061},
    {"et_EE", 1061},  {"fi", 1035},     {"fi_FI", 1035},  {"fr", 1036},     {"fr_BE", 2060},
    {"fr_CA", 3084},  {"fr_CH", 4108},  {"fr_FR", 1036},  {"fr_LU", 5132},  {"he", 1037},
    {"he_IL", 1037},  {"hr", 1050},     {"hr_HR", 1050},  {"hu", 1038},     {"hu_HU", 1038},
    {"id", 1057},     {"id_ID", 1057},  {"it", 1040},     {"it_CH", 2064},  {"it_IT", 1040},
    {"ja", 1041},     {"ja_JP", 1041},  {"ko", 1042},     {"ko_KR", 1042},  {"lt", 1063},
    {"lt_LT", 1063},  {"lv", 1062},     {"lv_LV", 1062},  {"nb", 1044},     {"nb_NO", 1044},
    {"nl", 1043},     {"nl_BE", 2067},  {"nl_NL", 1043},  {"nn", 2068},     {"nn_NO", 2068},
    {"no", 1044},     {"no_NO", 1044},  {"pl", 1045},     {"pl_PL", 1045},  {"pt", 1046},
    {"pt_BR", 1046},  {"pt_PT", 2070},  {"ro", 1048},     {"ro_RO", 1048},  {"ru", 1049},
    {"ru_RU", 1049},  {"ru_UA", 2073},  {"sk", 1051},     {"sk_SK", 1051},  {"sl", 1060},
    {"sl_SI", 1060},  {"sr", 2074},     {"sr_RS", 2074},  {"sv", 1053},     {"sv_FI", 2077},
    {"sv_SE", 1053},  {"th", 1054},     {"th_TH", 1054},  {"tr", 1055},     {"tr_TR", 1055},
    {"uk", 1058},     {"uk_UA", 1058},  {"vi", 1066},     {"vi_VN", 1066},  {"zh", 2052},
    {"zh_CN", 2052},  {"zh_HK", 3076},  {"zh_MO", 5124},  {"zh_SG", 4100},  {"zh_TW", 1028},
});

static_assert(std::is_sorted(kLocaleTable.begin(), kLocaleTable.end(),
                             [](const LocaleRow& a, const LocaleRow& b) { return a.name < b.name; }));

LANGID Find(std::string_view name)
{
    auto row = std::lower_bound(kLocaleTable.begin(), kLocaleTable.end(), name,
                                [](const LocaleRow& r, std::string_view n) { return r.name < n; });
    return row != kLocaleTable.end() && row->name == name ? row->id : 0;
}

std::string_view Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// The first of the variables that is set and not empty.
std::string_view FirstSet(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (auto value = Variable(name); !value.empty())
            return value;
    return {};
}

bool IsPlainC(std::string_view locale)
{
    return locale.empty() || locale == "C" || locale.starts_with("C.") || locale == "POSIX";
}

LANGID IdOrEnglish(std::string_view locale)
{
    LANGID id = LanguageIdFromLocaleName(locale);
    return id ? id : kEnglishUnitedStates;
}

class EnvironmentLocale : public ILocale {
public:
    LANGID UserInterfaceLanguage() override
    {
        std::string_view messages = FirstSet({"LC_ALL", "LC_MESSAGES", "LANG"});
        if (!IsPlainC(messages)) {
            std::string_view list = Variable("LANGUAGE");
            while (!list.empty()) {
                std::size_t colon = list.find(':');
                if (LANGID id = LanguageIdFromLocaleName(list.substr(0, colon)))
                    return id;
                list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
            }
        }
        return IdOrEnglish(messages);
    }

    LANGID UserLocaleLanguage() override { return IdOrEnglish(FirstSet({"LC_ALL", "LANG"})); }
};

} // namespace

LANGID LanguageIdFromLocaleName(std::string_view name)
{
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty())
        return 0;
    if (LANGID id = Find(name))
        return id;
    return Find(name.substr(0, name.find('_')));
}

ILocale& ILocale::Default()
{
    static EnvironmentLocale instance;
    return instance;
}

} // namespace platform
