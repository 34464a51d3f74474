#include "network/CCommandLineInfoEx.h"
#include "platform/core/CommandLine.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<std::string> Split(const char16_t* line)
{
    std::vector<std::string> arguments;
    for (const CString& argument : SplitCommandLine(line))
        arguments.push_back(argument.ToUtf8());
    return arguments;
}

CCommandLineInfoEx Parse(const char16_t* line)
{
    CCommandLineInfoEx info;
    ParseCommandLine(info, SplitCommandLine(line));
    return info;
}

std::string Option(const CCommandLineInfoEx& info, const char16_t* name)
{
    CString value;
    return info.GetOption(name, value) ? value.ToUtf8() : "<absent>";
}

} // namespace

TEST(CommandLineText, WindowsSplittingRules)
{
    EXPECT_EQ((std::vector<std::string>{"-ipaddress", "10.0.0.5"}), Split(u" -ipaddress \"10.0.0.5\""));
    EXPECT_EQ((std::vector<std::string>{"-hostname", "my printer", ""}), Split(u"-hostname \"my printer\" \"\""));
    EXPECT_EQ((std::vector<std::string>{"a\"b", "c\\d", "e\\\"f", "g\\h i"}),
              Split(u"\"a\"\"b\" c\\d e\\\\\\\"f \"g\\h i\""));
    EXPECT_EQ((std::vector<std::string>{"ab cd", "x"}), Split(u"a\"b c\"d\tx"));
    EXPECT_EQ((std::vector<std::string>{"trailing\\"}), Split(u"\"trailing\\\\\""));
    EXPECT_TRUE(Split(u"  \t ").empty());
}

TEST(CommandLineText, JoinThenSplitGivesTheArgumentsBack)
{
    std::mt19937 random(7);
    const char16_t alphabet[] = u"ab \t\"\\-/x";
    for (int round = 0; round < 2000; ++round) {
        CStringList arguments;
        for (int n = static_cast<int>(random() % 4); n >= 0; --n) {
            std::u16string argument;
            for (int length = static_cast<int>(random() % 6); length > 0; --length)
                argument += alphabet[random() % (sizeof alphabet / sizeof alphabet[0] - 1)];
            arguments.AddTail(CString(argument));
        }
        CStringList back = SplitCommandLine(JoinCommandLine(arguments));
        ASSERT_EQ(arguments.GetCount(), back.GetCount()) << JoinCommandLine(arguments).ToUtf8();
        for (int i = 0; i < arguments.GetCount(); ++i)
            ASSERT_EQ(arguments.GetAt(i), back.GetAt(i)) << JoinCommandLine(arguments).ToUtf8();
    }
    EXPECT_EQ("-x 120 -ipaddress 10.0.0.5", JoinCommandLine(SplitCommandLine(u"-x  120 -ipaddress \"10.0.0.5\"")).ToUtf8());
}

TEST(CommandLineInfoEx, SwitchesTakeTheNextPlainParameter)
{
    CCommandLineInfoEx info = Parse(u"-x 120 /y 80 -ipaddress \"10.0.0.5\" -hostname printer -admin stray");
    EXPECT_EQ("120", Option(info, u"x"));
    EXPECT_EQ("80", Option(info, u"y"));
    EXPECT_EQ("10.0.0.5", Option(info, u"ipaddress"));
    EXPECT_EQ("printer", Option(info, u"hostname"));
    // A plain parameter takes the value place of the switch before it, and only that one.
    EXPECT_EQ("stray", Option(info, u"admin"));
    EXPECT_EQ("<absent>", Option(info, u"stray"));

    CCommandLineInfoEx pending = Parse(u"-hostname -x 5 lost -macaddress");
    EXPECT_EQ("", Option(pending, u"hostname"));
    EXPECT_EQ("5", Option(pending, u"x"));
    EXPECT_EQ("", Option(pending, u"macaddress"));
    EXPECT_TRUE(pending.HasOption(u"macaddress"));

    // Names keep their letter case; a later value replaces an earlier one.
    CCommandLineInfoEx capitals = Parse(u"-IPADDRESS 10.0.0.5 -x 1 -x 2");
    EXPECT_FALSE(capitals.HasOption(u"ipaddress"));
    EXPECT_EQ("10.0.0.5", Option(capitals, u"IPADDRESS"));
    EXPECT_EQ("2", Option(capitals, u"x"));

    // The framework's own handling still sees the first plain parameter.
    EXPECT_EQ("stray", Parse(u"stray -x 1").m_strFileName.ToUtf8());
}
