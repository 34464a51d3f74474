#include "platform/core/CString.h"
#include "platform/core/CStringList.h"

#include <gtest/gtest.h>

TEST(CString, FindMidLeftRightUseCodeUnitPositions)
{
    CString text(u"a\U0001F600bcb");
    EXPECT_EQ(text.GetLength(), 6); // the emoji takes two code units
    EXPECT_EQ(text.Find(u"b"), 3);
    EXPECT_EQ(text.Find(u"b", 4), 5);
    EXPECT_EQ(text.Find(u"b", 6), -1);
    EXPECT_EQ(text.Find(u"", 6), 6);
    EXPECT_EQ(text.Find(u"b", 7), -1);
    EXPECT_EQ(text.Find(u"b", -1), -1);
    EXPECT_EQ(text.Mid(3), CString(u"bcb"));
    EXPECT_EQ(text.Mid(4, 100), CString(u"cb"));
    EXPECT_EQ(text.Mid(10, 2), CString());
    EXPECT_EQ(text.Left(1), CString(u"a"));
    EXPECT_EQ(text.Right(2), CString(u"cb"));
}

TEST(CString, TrimRemovesWideWhiteSpaceAtBothEndsOnly)
{
    CString text(u" \t\u3000Reports  x\r\n");
    text.Trim();
    EXPECT_EQ(text, CString(u"Reports  x"));
    CString blank(u" \t ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(CString, MakeUpperChangesAsciiLettersOnly)
{
    CString text(u"pc1_x123_\u00e9");
    text.MakeUpper();
    EXPECT_EQ(text, CString(u"PC1_X123_\u00e9"));
}

TEST(CString, ReplaceDoesNotRescanInsertedText)
{
    CString text(u"a\\b\\\\c");
    EXPECT_EQ(text.Replace(u"\\", u"\\\\"), 3);
    EXPECT_EQ(text, CString(u"a\\\\b\\\\\\\\c"));
}

TEST(CStringList, KeepsOrderAndCopies)
{
    CStringList list;
    CString name(u"one");
    list.AddTail(name);
    name = u"two";
    list.AddTail(name);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(0), CString(u"one"));
    EXPECT_TRUE(list.Contains(CString(u"two")));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}
