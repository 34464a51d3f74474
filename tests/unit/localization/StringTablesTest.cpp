// The wizard's string tables as compiled into the program, and the look-up on them.
#include "common/localization/StringResources.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::set<platform::LANGID> kLanguages = {1028, 1031, 1033, 1036, 1040, 1041, 1042, 1043, 1046, 1049, 2052, 3082};

CString Text(platform::LANGID language, unsigned id)
{
    CString text;
    EXPECT_EQ(LoadStringForLanguage(language, id, text), 1) << language << " " << id;
    return text;
}

} // namespace

TEST(WizardStrings, TwelveTablesHoldEveryMessage)
{
    std::set<platform::LANGID> languages;
    for (const StringTable& table : ProgramStrings().tables) {
        languages.insert(table.language);
        std::set<unsigned> ids;
        for (const StringEntry& entry : table.entries) {
            ids.insert(entry.id);
            EXPECT_FALSE(entry.text.empty()) << table.language << " " << entry.id;
        }
        std::set<unsigned> expected;
        for (unsigned id = 130; id <= 168; ++id)
            expected.insert(id);
        EXPECT_EQ(ids, expected) << table.language;
    }
    EXPECT_EQ(languages, kLanguages);
}

TEST(WizardStrings, PlaceholderAndEnglishMessage160InEveryLanguage)
{
    for (platform::LANGID language : kLanguages) {
        EXPECT_EQ(Text(language, 160).ToUtf8(),
                  "Scan Setup Wizard will not work on this device while EWS is password protected.");
        EXPECT_EQ(Text(language, 148).Replace(u"$$", u"4"), 1) << language;
        // The account of the Samba password offered, and what a fix that failed said.
        EXPECT_EQ(Text(language, 165).Replace(u"$$", u"anna"), 1) << language;
        EXPECT_EQ(Text(language, 167).Replace(u"$$", u"x"), 1) << language;
        if (language != 1033) {
            EXPECT_NE(Text(language, 151), Text(1033, 151)) << language;
        }
    }
    EXPECT_EQ(Text(1033, 140).ToUtf8(), "You have not provided a password. You will not be able \nto scan to this folder "
                                         "if you do not enter it. \nContinue ONLY if you have a blank password. \n"
                                         "Do you want to continue?");
    EXPECT_EQ(Text(3082, 135).ToUtf8(), "Error");
    EXPECT_EQ(Text(1031, 135).ToUtf8(), "Fehler");
}

TEST(WizardStrings, LookupIsExactAndKeepsTheTextWhenTheBlockIsMissing)
{
    CString text = u"kept";
    EXPECT_EQ(LoadStringForLanguage(2058, 135, text), 0); // no table for Mexican Spanish
    EXPECT_EQ(LoadStringForLanguage(1029, 135, text), 0);
    EXPECT_EQ(LoadStringForLanguage(1033, 127, text), 0); // block of 112..127 is empty
    EXPECT_EQ(LoadStringForLanguage(1033, 200, text), 0);
    EXPECT_EQ(text.ToUtf8(), "kept");
    // An identifier missing from a block that holds others reads as empty text.
    EXPECT_EQ(LoadStringForLanguage(1033, 170, text), 1);
    EXPECT_EQ(text.ToUtf8(), "");
    EXPECT_EQ(LoadStringForLanguage(1033, 128, text), 1);
    EXPECT_EQ(text.ToUtf8(), "");
}
