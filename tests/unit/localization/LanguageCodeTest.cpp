#include "FixedLocale.h"

#include "common/localization/LanguageCode.h"

#include <gtest/gtest.h>

TEST(ChooseLanguageCode, FullIdentifiersFirstThenThePrimaryLanguage)
{
    struct Case {
        platform::LANGID language;
        const char* code;
    };
    // Full identifiers for Catalan and the two Chinese, then the primary language decides.
    for (Case c : {Case{1027, "CAWW"}, {1028, "ZHTW"}, {2052, "ZHCN"}, {3076, "ZHCN"}, {3082, "ESWW"},
                   {2058, "ESWW"}, {5121, "ARWW"}, {1037, "HEWW"}, {2068, "NOWW"}, {1057, "IDWW"},
                   {1026, "ENWW"}, {2057, "ENWW"}, {0, "ENWW"}}) {
        EXPECT_EQ(ChooseLanguageCode(c.language).ToUtf8(), c.code) << c.language;
    }
}

TEST(ChooseLanguageCode, FollowsTheUserInterfaceLanguage)
{
    FixedLocale hebrew(1037, 1031);
    EXPECT_EQ(ChooseLanguageCode().ToUtf8(), "HEWW");
}

TEST(MessageLanguage, TwelveTablesAndEnglishForTheRest)
{
    for (platform::LANGID language : {1028, 1031, 1033, 1036, 1040, 1041, 1042, 1043, 1046, 1049, 2052, 3082})
        EXPECT_EQ(MessageLanguage(language), language);
    for (platform::LANGID language : {2058, 1029, 1034, 2057, 3084, 2070, 1037, 0})
        EXPECT_EQ(MessageLanguage(language), 1033) << language;
}
