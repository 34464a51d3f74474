#include "platform/core/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Sets the locale variables for one test; each test runs in a process of its own.
void Environment(const char* language, const char* all, const char* messages, const char* lang)
{
    auto set = [](const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    };
    set("LANGUAGE", language);
    set("LC_ALL", all);
    set("LC_MESSAGES", messages);
    set("LANG", lang);
}

platform::LANGID Ui() { return platform::ILocale::Default().UserInterfaceLanguage(); }
platform::LANGID UserLocale() { return platform::ILocale::Default().UserLocaleLanguage(); }

} // namespace

TEST(Locale, NamesMapToWindowsLanguageIdentifiers)
{
    struct Case {
        const char* name;
        platform::LANGID id;
    };
    for (Case c : {Case{"de_DE", 1031}, {"es_ES", 3082}, {"es_MX", 2058}, {"zh_TW", 1028}, {"zh_CN", 2052},
                   {"ca_ES", 1027}, {"cs_CZ", 1029}, {"he_IL", 1037}, {"ar_SA", 1025}, {"pt_BR", 1046},
                   {"C", 1033}, {"POSIX", 1033}, {"C.UTF-8", 1033}, {"de_DE.UTF-8", 1031},
                   {"sr_RS@latin", 2074}, {"fr", 1036}, {"de_BE.UTF-8", 1031}, {"zh_HK", 3076},
                   {"eo", 0}, {"", 0}, {"xx_YY", 0}}) {
        EXPECT_EQ(platform::LanguageIdFromLocaleName(c.name), c.id) << c.name;
    }
}

TEST(Locale, InterfaceLanguageFollowsTheMessageLocaleOrder)
{
    Environment(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Ui(), 1033);
    Environment(nullptr, nullptr, nullptr, "de_DE.UTF-8");
    EXPECT_EQ(Ui(), 1031);
    Environment(nullptr, nullptr, "fr_FR.UTF-8", "de_DE.UTF-8");
    EXPECT_EQ(Ui(), 1036);
    Environment(nullptr, "it_IT.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8");
    EXPECT_EQ(Ui(), 1040);
    Environment(nullptr, nullptr, nullptr, "eo.UTF-8"); // a language outside the table
    EXPECT_EQ(Ui(), 1033);
}

TEST(Locale, LanguageListComesFirstExceptUnderTheCLocale)
{
    Environment("eo:ja_JP:de", nullptr, nullptr, "de_DE.UTF-8");
    EXPECT_EQ(Ui(), 1041); // the first entry that the table knows
    Environment("ja_JP", nullptr, nullptr, "C.UTF-8");
    EXPECT_EQ(Ui(), 1033);
    Environment("ja_JP", nullptr, nullptr, nullptr);
    EXPECT_EQ(Ui(), 1033);
}

TEST(Locale, UserLocaleIgnoresMessageSettings)
{
    Environment("ja_JP", nullptr, "fr_FR.UTF-8", "pt_BR.UTF-8");
    EXPECT_EQ(UserLocale(), 1046);
    Environment(nullptr, "cs_CZ.UTF-8", nullptr, "pt_BR.UTF-8");
    EXPECT_EQ(UserLocale(), 1029);
}
