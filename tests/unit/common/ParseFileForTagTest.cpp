#include "common/xml/ParseFileForTag.h"

#include "platform/core/Paths.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

// Shows each box on standard error, where a death test can read it.
class BoxesOnStandardError : public ScriptedMessageBoxes {
public:
    int Show(const CString& text, const CString& caption, unsigned style) override
    {
        std::fprintf(stderr, "[%s|%x]\n%s", caption.ToUtf8().c_str(), style, text.ToUtf8().c_str());
        return ScriptedMessageBoxes::Show(text, caption, style);
    }
};

CString Write(const char* name, const std::string& text)
{
    CString path = u"C:\\" + CString::FromUtf8(name);
    std::ofstream(*platform::ToPosixPath(path), std::ios::binary) << text;
    return path;
}

} // namespace

TEST(ParseFileForTag, ReportNamesFileMessagePlaceAndForCode11TheTag)
{
    XmlParseResult result{XmlErrorFirstTagNotFound, 1, 9};
    EXPECT_EQ(FormatParseReport(u"C:\\x\\tarrow.data", result, u"tarrow"),
              "XML Parsing error inside file 'C:\\x\\tarrow.data'.\nError: First Tag not found\n"
              "At line 1, column 9.\nFirst Tag should be 'tarrow'.\n");
    result = {XmlWarningUnmatchedEndTag, 3, 1};
    EXPECT_EQ(FormatParseReport(u"a.data", result, u"tarrow"),
              "XML Parsing error inside file 'a.data'.\nWarning: Unmatched end tag\nAt line 3, column 1.\n");
}

TEST(ParseFileForTag, AGoodFileGivesTheElementWithoutABox)
{
    ScriptedMessageBoxes boxes;
    XmlNode tarrow = ParseFileForTag(Write("good.data", "<?xml version=\"1.0\"?><tarrow><settings/></tarrow>"),
                                     u"tarrow");
    EXPECT_EQ(tarrow.Name().ToUtf8(), "tarrow");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(ParseFileForTag, AnyProblemShowsTheReportAndEndsWith255)
{
    CString wrongTag = Write("other.data", "<other/>");
    EXPECT_EXIT(
        {
            BoxesOnStandardError boxes;
            ParseFileForTag(wrongTag, u"tarrow");
        },
        testing::ExitedWithCode(255),
        "\\[XML Parsing error\\|40010\\]\nXML Parsing error inside file 'C:.other.data'.*First Tag should be 'tarrow'");

    CString warning = Write("warning.data", "<tarrow><settings></tarrow>");
    EXPECT_EXIT(
        {
            BoxesOnStandardError boxes;
            ParseFileForTag(warning, u"tarrow");
        },
        testing::ExitedWithCode(255), "Warning: Unmatched end tag");
}
