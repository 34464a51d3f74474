#include "library/device/AttributeCursor.h"
#include "library/device/ReplyScanner.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

TEST(GetStringValue, ReturnsTheValuesIndexAndWalksForwardFromIt)
{
    CString reply(u"<R DbNumRecs=\"3\"><F FolderName=\"a\"/><F FolderName=\"bc\"/></R>");
    CString value;
    int at = GetStringValue(reply, u"DbNumRecs", value, 0);
    EXPECT_EQ(at, reply.Find(u"DbNumRecs=") + 10 + 1);
    EXPECT_EQ(value, CString(u"3"));

    int first = GetStringValue(reply, u"FolderName", value, 0);
    EXPECT_EQ(value, CString(u"a"));
    int second = GetStringValue(reply, u"FolderName", value, first);
    EXPECT_GT(second, first);
    EXPECT_EQ(value, CString(u"bc"));
}

TEST(GetStringValue, EmptyValueReturnsTheClosingQuote)
{
    CString reply(u"UserName=\"\" x");
    CString value(u"old");
    EXPECT_EQ(GetStringValue(reply, u"UserName", value, 0), 10);
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_EQ(reply[10], u'"');
}

TEST(GetStringValue, MissesLogTheReasonAndLeaveTheValueAlone)
{
    CString value(u"kept");
    {
        LogCapture log;
        CString text(u"Key=\"v\"");
        EXPECT_EQ(GetStringValue(text, u"Key", value, text.GetLength()), -1);
        EXPECT_EQ(GetStringValue(text, u"Key", value, text.GetLength() + 1), -1);
        EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                                   "ERROR- GetStringValue(): Key= not found.",
                                   "ERROR- GetStringValue(): Returning -1",
                                   "ERROR- GetStringValue(): Key= not found.",
                                   "ERROR- GetStringValue(): Returning -1"}));
    }
    {
        LogCapture log;
        EXPECT_EQ(GetStringValue(u"Key=nothing", u"Key", value, 0), -1);
        EXPECT_TRUE(log.HasLine("ERROR- GetStringValue(): First \" not found."));
    }
    {
        LogCapture log;
        EXPECT_EQ(GetStringValue(u"Key=\"open", u"Key", value, 0), -1);
        EXPECT_TRUE(log.HasLine("ERROR- GetStringValue(): Second \" not found."));
    }
    EXPECT_EQ(value, CString(u"kept"));
}

TEST(GetStringValue, KeyMatchesTheEndOfALongerName)
{
    CString value;
    EXPECT_GE(GetStringValue(u"NtUserName=\"x\" UserName=\"y\"", u"UserName", value, 0), 0);
    EXPECT_EQ(value, CString(u"x"));
}

TEST(IsStringPresent, TargetMustLieStrictlyBetweenTheFirstMarkers)
{
    const CString start(u"<L>");
    const CString end(u"</L>");
    EXPECT_TRUE(IsStringPresent(u"<L>SCAN</L>", u"SCAN", start, end));
    EXPECT_FALSE(IsStringPresent(u"SCAN<L></L>", u"SCAN", start, end));
    EXPECT_FALSE(IsStringPresent(u"<L></L>SCAN", u"SCAN", start, end));
    EXPECT_FALSE(IsStringPresent(u"<L>x</L><L>SCAN</L>", u"SCAN", start, end)); // second section
    EXPECT_FALSE(IsStringPresent(u"<L>x</L>", u"<L>", start, end));           // at the marker itself
}

TEST(IsStringPresent, LogsMissingMarkersButNotAMissingTarget)
{
    LogCapture log;
    EXPECT_FALSE(IsStringPresent(u"<L>x</L>", u"SCAN", u"<L>", u"</L>"));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_FALSE(IsStringPresent(u"none", u"SCAN", u"<BODY>", u"</BODY>"));
    EXPECT_FALSE(IsStringPresent(u"<BODY>SCAN", u"SCAN", u"<BODY>", u"</BODY>"));
    EXPECT_TRUE(IsStringPresent(u"<BODY>SCAN</BODY>", u"SCAN", u"<BODY>", u"</BODY>"));
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"ERROR- IsStringPresent(): <BODY> not found.",
                                                     "ERROR- IsStringPresent(): </BODY> not found.",
                                                     "IsStringPresent(): Found SCAN"}));
}

TEST(DecodeXmlEntities, DecodesEachReferenceOnceAndLeavesTheRest)
{
    auto decoded = [](const char16_t* text) {
        CString value(text);
        DecodeXmlEntities(value);
        return value;
    };
    EXPECT_EQ(decoded(u"Sales &amp; Marketing"), CString(u"Sales & Marketing"));
    EXPECT_EQ(decoded(u"&amp;lt;"), CString(u"&lt;"));
    EXPECT_EQ(decoded(u"plain"), CString(u"plain"));
    EXPECT_EQ(decoded(u"&#38;&#x26;"), CString(u"&#38;&#x26;"));
    EXPECT_EQ(decoded(u"&apos;&lt;&gt;&quot;&amp;"), CString(u"'<>\"&"));
    EXPECT_EQ(decoded(u"&am&amp;"), CString(u"&am&"));
}

// The folder-list walk reads each attribute through a cursor that remembers its last find; for
// starts that never go back it must give what GetStringValue gives, log lines included.
TEST(AttributeCursor, GivesWhatGetStringValueGivesAlongAForwardWalk)
{
    const CString texts[] = {
        u"<A FolderName=\"a\"/><A FolderName=\"b\" UserName=\"u\"/><A FolderName=\"c\"/>",
        u"<A UserName=\"x\"/><A UserName=\"y\"/>",
        u"UserName=x UserName=\"y",
        u"UserName=\"open",
        u"no keys at all",
    };
    for (const CString& text : texts) {
        AttributeCursor cursor(text, u"UserName");
        for (int start : {0, 0, 1, 5, 17, 18, 30, 35, 40, 52, text.GetLength(), text.GetLength() + 1}) {
            CString expected(u"kept");
            CString actual(u"kept");
            LogCapture plain;
            int expectedAt = GetStringValue(text, u"UserName", expected, start);
            std::vector<std::string> expectedLog = plain.Lines();
            LogCapture walked;
            EXPECT_EQ(cursor.Next(actual, start), expectedAt) << text.ToUtf8() << " from " << start;
            EXPECT_EQ(actual, expected) << text.ToUtf8() << " from " << start;
            EXPECT_EQ(walked.Lines(), expectedLog) << text.ToUtf8() << " from " << start;
        }
    }
}
