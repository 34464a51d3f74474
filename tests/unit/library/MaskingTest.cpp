#include "library/device/CDSMP_Command.h"

#include <gtest/gtest.h>

TEST(MaskPasswords, HidesTheValueOfEveryPasswordAttributeKeepingItsLength)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"<R Password=\"secret\" x=\"1\" Password=\"pw2\"/>", u"<R Password=\"******\" x=\"1\" Password=\"***\"/>"},
        {u"a Password=\"open end", u"a Password=\"********"},
        {u"Password=\"\" UserName=\"u\"", u"Password=\"\" UserName=\"u\""},
        {u"Password= no quote", u"Password= no quote"},
        {u"", u""},
        {u"<R AdminPassword=\"ab\"/>", u"<R AdminPassword=\"**\"/>"},
        // A Password= without a quotation mark directly after it is no attribute of its own ...
        {u"<R UserName=\"xPassword=abc\" Password=\"s3\"/>", u"<R UserName=\"xPassword=abc\" Password=\"**\"/>"},
        // ... nor is one inside another value, even where that value's closing mark follows it.
        {u"<R UserName=\"xPassword=\" Password=\"s3\"/>", u"<R UserName=\"xPassword=\" Password=\"**\"/>"},
        {u"<R UserName=\" Password=\" Password=\"s3\"/>", u"<R UserName=\" Password=\" Password=\"**\"/>"},
        // Quotation marks between tags are text and pair with nothing.
        {u"<P>say \"hi</P><R Password=\"s3\"/>", u"<P>say \"hi</P><R Password=\"**\"/>"},
        {u"<P>Password=\"abc\" \"</P><R Password=\"s3\"/>", u"<P>Password=\"***\" \"</P><R Password=\"**\"/>"},
        {u"<L><\"A\" \"B\"/></L><R Password=\"x\"/>", u"<L><\"A\" \"B\"/></L><R Password=\"*\"/>"},
    };
    for (const auto& [text, masked] : cases) {
        CString original(text);
        EXPECT_EQ(MaskPasswords(original), CString(masked)) << CString(text).ToUtf8();
        EXPECT_EQ(original, CString(text)); // argument untouched
    }
}

namespace {
class RawCommand final : public CInformationMessage {
public:
    explicit RawCommand(CString payload) { csPayload = payload; }
    int CreatePayload() override { return 1; }
};
} // namespace

TEST(FormatPayloadHex, TwoLowerCaseDigitsPerCodeUnitWithoutATrailingBlank)
{
    EXPECT_EQ(RawCommand(u"ab").FormatPayloadHex(), CString(u"61 62"));
    EXPECT_EQ(RawCommand(u"\n").FormatPayloadHex(), CString(u"0a"));
    EXPECT_EQ(RawCommand(u"\u00e9\u4e2d").FormatPayloadHex(), CString(u"e9 4e2d"));
    EXPECT_EQ(RawCommand(u"").FormatPayloadHex(), CString(u""));
}

TEST(ExchangeLog, PayloadLineRendersShortPayloadsInHexAndMasksAndEscapesLongOnes)
{
    RawCommand empty(u"");
    EXPECT_EQ(PayloadLogText(empty), CString(u"  Payload (0)||"));
    RawCommand two(u"ab");
    EXPECT_EQ(PayloadLogText(two), CString(u"  Payload (2)|61 62|"));
    RawCommand secret(u"<R N=\"a\nb\" Password=\"p\tw\"/>");
    EXPECT_EQ(PayloadLogText(secret), CString(u"  Payload (27)|<R N=\"a\\nb\" Password=\"***\"/>|"));
}

TEST(ExchangeLog, RepliesFromAThousandCharactersOnAreCutTo700ThenMaskedThenEscaped)
{
    CString whole(999, u'x');
    EXPECT_EQ(ReceivedLogText(whole), u"Received (999)|" + whole + u"|");
    CString cut(1000, u'y');
    EXPECT_EQ(ReceivedLogText(cut), u"Received (1000)|" + CString(700, u'y') + u"|");
    CString secret = u"Password=\"" + CString(995, u'p') + u"\"";
    EXPECT_EQ(ReceivedLogText(secret).ToUtf8(), (u"Received (1006)|Password=\"" + CString(690, u'*') + u"|").ToUtf8());

    std::u16string escaped;
    for (int i = 0; i < 699; ++i)
        escaped += u"\\n";
    CString breaks = CString(699, u'\n') + u"y" + CString(400, u'z');
    EXPECT_EQ(ReceivedLogText(breaks), u"Received (1100)|" + CString(escaped) + u"y|");
    EXPECT_EQ(ReceivedLogText(u"<R Password=\"p\tw\"/>\r\n"), CString(u"Received (21)|<R Password=\"***\"/>\\r\\n|"));
}
