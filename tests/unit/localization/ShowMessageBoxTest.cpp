#include "FixedLocale.h"

#include "common/localization/ShowMessageBox.h"
#include "common/log/ProgramLog.h"
#include "support/LogCapture.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

class ShowMessageBoxTest : public testing::Test {
protected:
    ShowMessageBoxTest() { ProgramLog().Open(kLogFilePath); }
    ScriptedMessageBoxes boxes;
};

TEST_F(ShowMessageBoxTest, KindsGiveCaptionButtonsAndIcon)
{
    FixedLocale english(1033);
    struct Case {
        MessageBoxKind kind;
        const char* caption;
        unsigned style;
    };
    for (Case c : {Case{YesNoWarning, "Warning", 0x34}, {YesNoWarningDefaultNo, "Warning", 0x134},
                   {KnownIssueQuestion, "Warning", 0x134}, {KnownIssueError, "Error", 0x10},
                   {ErrorBox, "Error", 0x10}, {InformationBox, "Information", 0x40}}) {
        ShowMessageBox(c.kind, 134, u"1");
        EXPECT_EQ(boxes.Shown().back().caption, c.caption) << c.kind;
        EXPECT_EQ(boxes.Shown().back().style, c.style) << c.kind;
    }
    EXPECT_EQ(boxes.Shown()[4].text, "Unknown user name or bad password.");
}

TEST_F(ShowMessageBoxTest, KnownIssueTextsAreComposedWithEmptyLines)
{
    FixedLocale english(1033);
    ShowMessageBox(KnownIssueQuestion, 149, u"4");
    EXPECT_EQ(boxes.Shown().back().text,
              "Scanning to shared folders on this machine will not work \nbecause Simple File Sharing is enabled on "
              "this machine.\n\nRefer to Known Issues number 4 in the Scan Setup Readme\nfor more information.\n\n"
              "Do you want to continue?");
    ShowMessageBox(KnownIssueError, 160, u"6");
    EXPECT_EQ(boxes.Shown().back().text,
              "Scan Setup Wizard will not work on this device while EWS is password protected.\n\nRefer to Known "
              "Issues number 6 in the Scan Setup Readme\nfor more information.\n\n");
}

TEST_F(ShowMessageBoxTest, ReturnsTheButtonPressed)
{
    FixedLocale english(1033);
    boxes.Answer(6);
    EXPECT_EQ(ShowMessageBox(YesNoWarningDefaultNo, 158), 6);
    EXPECT_EQ(ShowMessageBox(YesNoWarningDefaultNo, 158), 7); // unanswered: the default, No
    EXPECT_EQ(ShowMessageBox(YesNoWarning, 158), 6);
    EXPECT_EQ(ShowMessageBox(InformationBox, 157), 1);
}

TEST_F(ShowMessageBoxTest, LanguageChoiceAndLogLine)
{
    LogCapture log;
    {
        FixedLocale spanish(3082);
        ShowMessageBox(ErrorBox, 134);
    }
    {
        FixedLocale mexican(2058); // pages in Spanish, boxes in English
        ShowMessageBox(ErrorBox, 134);
    }
    {
        FixedLocale czech(1029);
        ShowMessageBox(KnownIssueQuestion, 150, u"2");
    }
    EXPECT_EQ(boxes.Shown()[0].caption, "Error");
    EXPECT_EQ(boxes.Shown()[0].text, "Nombre de usuario desconocido o contraseña incorrecta.");
    EXPECT_EQ(boxes.Shown()[1].text, "Unknown user name or bad password.");
    EXPECT_EQ(boxes.Shown()[2].caption, "Warning");
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Quillet:ShowMessageBox(): StringID= 134, LangID= 3082",
                                                     "Quillet:ShowMessageBox(): StringID= 134, LangID= 2058",
                                                     "Quillet:ShowMessageBox(): StringID= 150, LangID= 1029"}));
}

TEST_F(ShowMessageBoxTest, AnUnknownMessageStillShowsABox)
{
    FixedLocale german(1031);
    ShowMessageBox(ErrorBox, 999);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "");
    EXPECT_EQ(boxes.Shown()[0].caption, "Fehler");
}
