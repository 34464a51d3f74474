// TarrowNetwork's box and string tables (this test program links the network's tables).
#include "FixedLocale.h"

#include "common/localization/NetworkMessageBox.h"
#include "common/localization/StringResources.h"
#include "common/log/ProgramLog.h"
#include "support/LogCapture.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <set>

TEST(NetworkStrings, TwelveTablesHoldEveryMessage)
{
    std::set<platform::LANGID> languages;
    std::set<unsigned> expected;
    for (unsigned id = 134; id <= 146; ++id)
        expected.insert(id);
    for (const StringTable& table : ProgramStrings().tables) {
        languages.insert(table.language);
        std::set<unsigned> ids;
        for (const StringEntry& entry : table.entries)
            ids.insert(entry.id);
        EXPECT_EQ(ids, expected) << table.language;
    }
    EXPECT_EQ(languages, (std::set<platform::LANGID>{1028, 1031, 1033, 1036, 1040, 1041, 1042, 1043, 1046, 1049,
                                                     2052, 3082}));
}

TEST(NetworkMessageBox, ErrorBoxInTheInterfaceLanguageOrEnglish)
{
    ProgramLog().Open(kLogFilePath);
    LogCapture log;
    ScriptedMessageBoxes boxes;
    {
        FixedLocale german(1031);
        EXPECT_EQ(ShowMessageBox(137), 1);
    }
    {
        FixedLocale czech(1029);
        ShowMessageBox(145);
    }
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler");
    EXPECT_EQ(boxes.Shown()[0].text, "Die IP-Adresse wurde im Netzwerk nicht gefunden.");
    EXPECT_EQ(boxes.Shown()[0].style, 0x10u);
    EXPECT_EQ(boxes.Shown()[1].caption, "Error");
    EXPECT_EQ(boxes.Shown()[1].text, "Invalid Network Connection Type Argument provided.");
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"QuilletNetwork:ShowMessageBox(): LangID= 1031",
                                                     "QuilletNetwork:ShowMessageBox(): LangID= 1029"}));
}
