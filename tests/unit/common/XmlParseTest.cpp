#include "XmlTestText.h"

#include <gtest/gtest.h>

TEST(XmlParse, DataFileWithHeaderBecomesDeclarationHoldingTheDocument)
{
    XmlParseResult result;
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<tarrow>\n\t<settings>\n"
                       "\t\t<IPAddress>\n\t\t\t127.0.0.5\n\t\t</IPAddress>\n\t</settings>\n</tarrow>\n";
    XmlNode top = Parse(text, result);
    EXPECT_EQ(result.code, XmlNoError);
    ASSERT_TRUE(top.IsDeclaration());
    EXPECT_EQ(U8(top.Name()), "xml");
    ASSERT_EQ(top.Attributes().size(), 2u); // no stray "?" attribute
    EXPECT_EQ(U8(top.Attributes()[0].name), "version");
    EXPECT_EQ(U8(*top.Attributes()[0].value), "1.0");
    EXPECT_EQ(U8(*top.Attributes()[1].value), "utf-16");

    XmlNode tarrow = ParseText(W(text), u"TARROW", result);
    ASSERT_TRUE(tarrow);
    EXPECT_EQ(U8(tarrow.Name()), "tarrow");
    EXPECT_EQ(U8(*TextAt(ChildAt(ChildAt(tarrow, 0), 0), 0)), "127.0.0.5");
}

TEST(XmlParse, MissingEndTagIsAWarningThatKeepsTheTree)
{
    XmlParseResult result;
    XmlNode a = Parse("<a>\n  <b>\n</a>", result);
    EXPECT_EQ(result.code, XmlWarningUnmatchedEndTag);
    EXPECT_EQ(result.line, 3); // where the end tag of a revealed the missing one of b
    EXPECT_EQ(result.column, 1);
    ASSERT_EQ(U8(a.Name()), "a");
    EXPECT_EQ(U8(ChildAt(a, 0).Name()), "b");

    Parse("<a><b>text", result);
    EXPECT_EQ(result.code, XmlWarningUnmatchedEndTag);
}

TEST(XmlParse, UnmatchedEndTagsReachingTheTopAreErrors)
{
    XmlParseResult result;
    EXPECT_FALSE(Parse("<b></a>", result));
    EXPECT_EQ(result.code, XmlErrorUnmatchedEndTag);
    Parse("</a>", result); // nothing else at all: no tag
    EXPECT_EQ(result.code, XmlWarningNoTag);
    Parse("just text", result);
    EXPECT_EQ(result.code, XmlWarningNoTag);
}

TEST(XmlParse, AttributesQuotedUnquotedAndBare)
{
    XmlParseResult result;
    XmlNode a = Parse("<a x = 1 y z='say \"hi\"' w=\"&lt;&#x41;\"/>", result);
    ASSERT_EQ(result.code, XmlNoError);
    auto attributes = a.Attributes();
    ASSERT_EQ(attributes.size(), 4u);
    EXPECT_EQ(U8(attributes[0].name), "x");
    EXPECT_EQ(U8(*attributes[0].value), "1");
    EXPECT_EQ(U8(attributes[1].name), "y");
    EXPECT_FALSE(attributes[1].value);
    EXPECT_EQ(U8(*attributes[2].value), "say \"hi\"");
    EXPECT_EQ(U8(*attributes[3].value), "<A");

    Parse("<a z='it''s'/>", result); // a second quoted text where a name belongs
    EXPECT_EQ(result.code, XmlErrorUnexpectedToken);
}

TEST(XmlParse, EntitiesAndCharacterReferences)
{
    XmlParseResult result;
    XmlNode a = Parse("<a>&AMP; &#65; &#x41; &#X61; &#65601; &Quot;&apos;</a>", result);
    ASSERT_EQ(result.code, XmlNoError);
    EXPECT_EQ(U8(*TextAt(a, 0)), "& A A a A \"'"); // 65601 is taken modulo 65536

    for (const char* bad : {"<a>&nbsp;</a>", "<a>&#6x5;</a>", "<a>&#x4G;</a>", "<a>&#65</a>", "<a>a & b</a>",
                            "<a x=\"&bogus;\"/>"}) {
        EXPECT_FALSE(Parse(bad, result)) << bad;
        EXPECT_EQ(result.code, XmlErrorUnknownEntity) << bad;
    }
}

TEST(XmlParse, ClearSectionsAreKeptVerbatim)
{
    XmlParseResult result;
    XmlNode a = Parse("<a><![CDATA[ x < y && <b> ]]><!-- note > here --></a>", result);
    ASSERT_EQ(result.code, XmlNoError);
    ASSERT_EQ(a.ClearSections().size(), 2u);
    EXPECT_EQ(U8(a.ClearSections()[0].content), " x < y && <b> ");
    EXPECT_EQ(U8(a.ClearSections()[1].opening), "<!--");
    EXPECT_EQ(a.ChildCount(), 0);
    EXPECT_EQ(U8(ToText(a)), "<a>\n\t<![CDATA[ x < y && <b> ]]>\n\t<!-- note > here -->\n</a>\n");

    Parse("<a><!-- never closed </a>", result);
    EXPECT_EQ(result.code, XmlErrorUnmatchedClearTagEnd);
}

TEST(XmlParse, DoctypeWithInternalSubsetEndsAtBracketAndAngle)
{
    XmlParseResult result;
    XmlNode top = Parse("<!DOCTYPE a [<!ENTITY e \"v\">]><a/>", result);
    ASSERT_EQ(result.code, XmlNoError);
    ASSERT_EQ(top.ClearSections().size(), 1u);
    EXPECT_EQ(U8(top.ClearSections()[0].content), " a [<!ENTITY e \"v\">]");
    EXPECT_EQ(U8(ChildAt(top, 0).Name()), "a");

    top = Parse("<!DOCTYPE a><a/>", result);
    EXPECT_EQ(U8(top.ClearSections()[0].content), " a");
}

TEST(XmlParse, TextRunsLoseOuterWhiteSpaceOnly)
{
    XmlParseResult result;
    XmlNode a = Parse("<a> \t one  two \r\n<b/>   \n  <c/> x </a>", result);
    ASSERT_EQ(result.code, XmlNoError);
    ASSERT_EQ(a.TextCount(), 2); // the blanks between b and c add nothing
    EXPECT_EQ(U8(*TextAt(a, 0)), "one  two");
    EXPECT_EQ(U8(*TextAt(a, 1)), "x");
    ASSERT_EQ(a.Order().size(), 4u);
    EXPECT_EQ(a.Order()[0].kind, XmlItemKind::Text);
    EXPECT_EQ(a.Order()[1].kind, XmlItemKind::Element);
    EXPECT_EQ(a.Order()[3].kind, XmlItemKind::Text);
}

TEST(XmlParse, QuotesAndOperatorsInContentAreText)
{
    XmlParseResult result;
    XmlNode a = Parse("<a>it's \"x > y\" = 'z'<b/></a>", result);
    ASSERT_EQ(result.code, XmlNoError);
    EXPECT_EQ(U8(*TextAt(a, 0)), "it's \"x > y\" = 'z'");
    EXPECT_EQ(a.ChildCount(), 1);
}

TEST(XmlParse, EndTagsMatchWithoutRegardToCase)
{
    XmlParseResult result;
    XmlNode a = Parse("<Settings><Key>v</KEY></settings >", result);
    EXPECT_EQ(result.code, XmlNoError);
    EXPECT_EQ(U8(*TextAt(ChildAt(a, 0), 0)), "v");
}

TEST(XmlParse, MalformedTagsGiveTheirCodes)
{
    struct Case {
        const char* text;
        int code;
    };
    for (Case c : {Case{"<a><></a>", XmlErrorMissingStartTagName}, Case{"<a></></a>", XmlErrorMissingEndTagName},
                   Case{"<a></a", XmlErrorMissingEndTagName}, Case{"<a =1/>", XmlErrorUnexpectedToken},
                   Case{"<a x=>", XmlErrorUnexpectedToken}, Case{"<a", XmlErrorUnexpectedToken}}) {
        XmlParseResult result;
        EXPECT_FALSE(Parse(c.text, result)) << c.text;
        EXPECT_EQ(result.code, c.code) << c.text;
        EXPECT_GE(result.line, 1) << c.text;
    }
    XmlParseResult result;
    EXPECT_FALSE(ParseText(u"", CString(), result));
    EXPECT_EQ(result.code, XmlErrorNoElements);
}

TEST(XmlParse, FirstTagIsSearchedOnTheTopAndThroughDeclarations)
{
    XmlParseResult result;
    EXPECT_TRUE(ParseText(W("<x/><?xml?><y/><tarrow/>"), u"tarrow", result));
    EXPECT_EQ(result.code, XmlNoError);
    EXPECT_TRUE(ParseText(W("<x><tarrow/></x>"), u"tarrow", result)); // a child of the top element
    // Not deeper down inside plain elements.
    EXPECT_FALSE(ParseText(W("<x><y><tarrow/></y></x>"), u"tarrow", result));
    EXPECT_EQ(result.code, XmlErrorFirstTagNotFound);
    EXPECT_EQ(result.line, 1);
    EXPECT_FALSE(ParseText(W("<x></y>"), u"x", result)); // errors come before the search
    EXPECT_EQ(result.code, XmlErrorUnmatchedEndTag);
}

std::string Nested(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

TEST(XmlParse, NestingDepthIsNotLimitedByTheStack)
{
    constexpr int kDepth = 200000;
    XmlParseResult result;
    XmlNode top = Parse(Nested(kDepth), result);
    ASSERT_EQ(result.code, XmlNoError);
    int depth = 1;
    for (XmlNode node = ChildAt(top, 0); node; node = ChildAt(node, 0))
        ++depth;
    EXPECT_EQ(depth, kDepth);
    top = XmlNode(); // frees the whole chain

    Parse(Nested(kDepth).substr(0, 3 * kDepth), result);
    EXPECT_EQ(result.code, XmlWarningUnmatchedEndTag);

    constexpr long long kWritten = 3000;
    top = Parse(Nested(kWritten), result);
    // Two lines per level, one TAB per level of indentation; the innermost element is "<a/>".
    EXPECT_EQ(ToText(top).GetLength(), kWritten * kWritten + 7 * kWritten - 3);
}
