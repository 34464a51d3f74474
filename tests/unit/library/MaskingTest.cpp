#include "library/device/CDSMP_Command.h"

#include <gtest/gtest.h>

TEST(MaskPasswords, HidesEveryValueKeepingItsLength)
{
    CString text(u"<R Password=\"secret\" x=\"1\" Password=\"pw2\"/>");
    EXPECT_EQ(MaskPasswords(text), CString(u"<R Password=\"******\" x=\"1\" Password=\"***\"/>"));
    EXPECT_EQ(text, CString(u"<R Password=\"secret\" x=\"1\" Password=\"pw2\"/>")); // argument untouched
}

TEST(MaskPasswords, UnclosedValueIsMaskedToTheEndAndEmptyValueStays)
{
    EXPECT_EQ(MaskPasswords(u"a Password=\"open end"), CString(u"a Password=\"********"));
    EXPECT_EQ(MaskPasswords(u"Password=\"\" UserName=\"u\""), CString(u"Password=\"\" UserName=\"u\""));
    EXPECT_EQ(MaskPasswords(u"Password= no quote"), CString(u"Password= no quote"));
    EXPECT_EQ(MaskPasswords(u""), CString(u""));
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

TEST(ExchangeLog, PayloadLineRendersShortPayloadsInHexAndMasksLongOnes)
{
    RawCommand empty(u"");
    EXPECT_EQ(PayloadLogText(empty), CString(u"  Payload (0)||"));
    RawCommand two(u"ab");
    EXPECT_EQ(PayloadLogText(two), CString(u"  Payload (2)|61 62|"));
    RawCommand secret(u"<R Password=\"pw\"/>");
    EXPECT_EQ(PayloadLogText(secret), CString(u"  Payload (18)|<R Password=\"**\"/>|"));
}

TEST(ExchangeLog, RepliesFromAThousandCharactersOnAreCutTo700)
{
    CString whole(999, u'x');
    EXPECT_EQ(ReceivedLogText(whole), u"Received (999)|" + whole + u"|");
    CString cut(1000, u'y');
    EXPECT_EQ(ReceivedLogText(cut), u"Received (1000)|" + CString(700, u'y') + u"|");
    CString secret = u"Password=\"" + CString(995, u'p') + u"\"";
    EXPECT_EQ(ReceivedLogText(secret).Find(u"pp"), -1); // masked within the cut, unclosed there
}
