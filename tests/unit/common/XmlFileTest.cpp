#include "XmlTestText.h"

#include "platform/core/Paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

CString WriteBytes(const std::string& name, const std::string& bytes)
{
    CString path = u"C:\\" + CString::FromUtf8(name);
    std::ofstream(*platform::ToPosixPath(path), std::ios::binary) << bytes;
    return path;
}

std::string Utf16Le(const std::string& utf8)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t ch : W(utf8)) {
        bytes += static_cast<char>(ch & 0xFF);
        bytes += static_cast<char>(ch >> 8);
    }
    return bytes;
}

const std::string kDocument = "<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<tarrow>\n\t<settings>\n"
                              "\t\t<PrinterModelName>\n\t\t\tLaser Ü 500\n\t\t</PrinterModelName>\n"
                              "\t</settings>\n</tarrow>\n";

} // namespace

TEST(XmlFile, Utf16AndUtf8WithOrWithoutMarkGiveTheSameTree)
{
    XmlParseResult result;
    std::string expected;
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"wide.data", Utf16Le(kDocument)},
                                      {"bom.data", "\xEF\xBB\xBF" + kDocument},
                                      {"plain.data", kDocument}}) {
        XmlNode tarrow = ParseFile(WriteBytes(name, bytes), u"tarrow", result);
        ASSERT_EQ(result.code, XmlNoError) << name;
        std::string text = U8(ToText(tarrow));
        EXPECT_NE(text.find("Laser Ü 500"), std::string::npos) << name;
        if (expected.empty())
            expected = text;
        EXPECT_EQ(text, expected) << name;
    }
}

TEST(XmlFile, FileLevelFailures)
{
    XmlParseResult result;
    EXPECT_FALSE(ParseFile(u"C:\\missing.data", u"tarrow", result));
    EXPECT_EQ(result.code, XmlErrorFileNotFound);
    EXPECT_FALSE(ParseFile(u"C:\\", u"tarrow", result)); // a folder is no file
    EXPECT_EQ(result.code, XmlErrorFileNotFound);
    ASSERT_EQ(mkfifo(platform::ToPosixPath(u"C:\\fifo.data")->c_str(), 0600), 0);
    EXPECT_FALSE(ParseFile(u"C:\\fifo.data", u"tarrow", result)); // nor a FIFO, and no writer is waited for
    EXPECT_EQ(result.code, XmlErrorFileNotFound);
    EXPECT_FALSE(ParseFile(WriteBytes("empty.data", ""), u"tarrow", result));
    EXPECT_EQ(result.code, XmlErrorNoData);
    EXPECT_FALSE(ParseFile(WriteBytes("mark.data", "\xEF\xBB\xBF"), u"tarrow", result));
    EXPECT_EQ(result.code, XmlErrorConversion);
    EXPECT_FALSE(ParseFile(WriteBytes("widemark.data", "\xFF\xFE"), u"tarrow", result));
    EXPECT_EQ(result.code, XmlErrorNoElements);
}

TEST(XmlFile, FirstTagMissingIsAnError)
{
    XmlParseResult result;
    EXPECT_FALSE(ParseFile(WriteBytes("other.data", "<other/>"), u"tarrow", result));
    EXPECT_EQ(result.code, XmlErrorFirstTagNotFound);
    EXPECT_EQ(U8(XmlErrorMessage(result.code)), "Error: First Tag not found");
    EXPECT_EQ(U8(XmlErrorMessage(20)), "Unknown");
}
