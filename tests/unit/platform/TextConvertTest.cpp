#include "platform/core/CString.h"
#include "platform/core/TextConvert.h"

#include <gtest/gtest.h>

TEST(TextConvert, RoundTripsEveryPlane)
{
    std::u16string text = u"Grüße \u4e2d\u6587 \U0001F5A8 \u05e2\u05d1";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(CString::FromUtf8("Z\xC3\xBC").ToUtf8(), "Z\xC3\xBC");
}

TEST(TextConvert, InvalidBytesBecomeTheDefaultCharacter)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("x\xE4\xB8"), u"x\uFFFD"); // cut at the end
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx"); // lone surrogate
}

TEST(TextConvert, StreamDecoderJoinsSequencesSplitAcrossPieces)
{
    std::string bytes = Utf16ToUtf8(u"\u00e4\u4e2d\U0001F600");
    Utf8StreamDecoder decoder;
    std::u16string out;
    for (char byte : bytes)
        out += decoder.Decode(std::string_view(&byte, 1));
    EXPECT_EQ(out, u"\u00e4\u4e2d\U0001F600");
}
