#include "common/text/JavaScriptString.h"

#include <gtest/gtest.h>

TEST(JavaScriptString, EscapesWhatCouldEndTheLiteralOrTheScript)
{
    auto escape = [](const std::u16string& text) { return EscapeJavaScriptString(CString(text)).str(); };
    EXPECT_EQ(u"Norvik Kelvane KV4250 MFP", escape(u"Norvik Kelvane KV4250 MFP"));
    EXPECT_EQ(u"say \\\"hi\\\" \\'there\\'", escape(u"say \"hi\" 'there'"));
    EXPECT_EQ(u"C:\\\\Scans\\\\", escape(u"C:\\Scans\\"));
    EXPECT_EQ(u"\\u003C/script>\\u003Cscript>x()\\u003C/script>", escape(u"</script><script>x()</script>"));
    EXPECT_EQ(u"a\\nb\\rc\\td\\u0000e\\u001Bf\\u007F", escape(std::u16string(u"a\nb\rc\td\0e\x1b" u"f\x7f", 12)));
    EXPECT_EQ(u"\\u2028\\u2029", escape(u"\u2028\u2029"));
    EXPECT_EQ(u"Kelvane \u00E9\u4E2D\U0001F5A8", escape(u"Kelvane \u00E9\u4E2D\U0001F5A8"));
}
