// The page compiler run on small templates and tables of its own.
#include <gtest/gtest.h>

#include "HtmlTags.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class PageCompilerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("page-compiler-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "out");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return (dir_ / name).string();
    }

    // Runs the compiler on the named templates and tables; returns its exit code, keeps stderr.
    int Run(const std::vector<std::string>& templates, const std::vector<std::string>& tables)
    {
        std::string command = std::string("'") + TARROW_PAGE_COMPILER + "' '" + (dir_ / "out").string() + "' --templates";
        for (const auto& file : templates)
            command += " '" + (dir_ / file).string() + "'";
        command += " --tables";
        for (const auto& file : tables)
            command += " '" + (dir_ / file).string() + "'";
        command += " 2>&1";
        output_.clear();
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output_ += buffer;
        int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Output(const std::string& folder, const std::string& page) const
    {
        return ReadText((dir_ / "out" / folder / (page + ".htm")).string());
    }

    fs::path dir_;
    std::string output_;
};

const char kTemplate[] = "<html lang=\"{{@lang}}\" dir=\"{{@dir}}\"><p title=\"{{Page.Tip}}\">{{Page.Text}}</p></html>\n";

TEST_F(PageCompilerTest, WritesEachPageIntoEachTableFolderWithLangAndDir)
{
    Write("Hello.htm", kTemplate);
    Write("ENWW.txt", "# English\nlang en\ndir ltr\nPage.Tip = Tip\nPage.Text = Hello\n");
    Write("HEWW.txt", "lang he\ndir rtl\nPage.Tip = \xD7\xA2\nPage.Text = \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\n");
    ASSERT_EQ(Run({"Hello.htm"}, {"ENWW.txt", "HEWW.txt"}), 0) << output_;
    EXPECT_EQ(Output("ENWW", "Hello"), "<html lang=\"en\" dir=\"ltr\"><p title=\"Tip\">Hello</p></html>\n");
    EXPECT_EQ(Output("HEWW", "Hello"),
              "<html lang=\"he\" dir=\"rtl\"><p title=\"\xD7\xA2\">\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D</p></html>\n");
}

TEST_F(PageCompilerTest, EscapesTableTextsAsHtml)
{
    Write("Hello.htm", kTemplate);
    Write("ENWW.txt", "lang en\ndir ltr\nPage.Tip = \"a\" & 'b'\nPage.Text = x < y > z & <b>\n");
    ASSERT_EQ(Run({"Hello.htm"}, {"ENWW.txt"}), 0) << output_;
    EXPECT_EQ(Output("ENWW", "Hello"),
              "<html lang=\"en\" dir=\"ltr\"><p title=\"&quot;a&quot; &amp; &#39;b&#39;\">"
              "x &lt; y &gt; z &amp; &lt;b&gt;</p></html>\n");
}

TEST_F(PageCompilerTest, FailsWhenATableMissesAKey)
{
    Write("Hello.htm", kTemplate);
    Write("ENWW.txt", "lang en\ndir ltr\nPage.Tip = Tip\nPage.Text = Hello\n");
    std::string german = Write("DEWW.txt", "lang de\ndir ltr\nPage.Tip = Tipp\n");
    EXPECT_EQ(Run({"Hello.htm"}, {"ENWW.txt", "DEWW.txt"}), 1);
    EXPECT_EQ(output_, "tarrow_page_compiler: " + german + ": key Page.Text missing (used by " + (dir_ / "Hello.htm").string() + ")\n");
    EXPECT_FALSE(fs::exists(dir_ / "out" / "DEWW" / "Hello.htm"));
}

TEST_F(PageCompilerTest, FailsOnAKeyThatNoPageUses)
{
    Write("Hello.htm", kTemplate);
    std::string table = Write("ENWW.txt", "lang en\ndir ltr\nPage.Tip = Tip\nPage.Text = Hello\nPage.Txet = Typo\n");
    EXPECT_EQ(Run({"Hello.htm"}, {"ENWW.txt"}), 1);
    EXPECT_EQ(output_, "tarrow_page_compiler: " + table + ":5: unknown key Page.Txet (no page uses it)\n");
}

TEST_F(PageCompilerTest, FailsOnATranslationWithAKeyThatEnglishLacksOrWithoutEnglish)
{
    Write("Hello.htm", kTemplate);
    Write("ENWW.txt", "lang en\ndir ltr\nPage.Tip = Tip\nPage.Text = Hello\n");
    std::string french = Write("FRWW.txt", "lang fr\ndir ltr\nPage.Tip = Astuce\nPage.Text = Bonjour\nPage.Extra = En trop\n");
    EXPECT_EQ(Run({"Hello.htm"}, {"ENWW.txt", "FRWW.txt"}), 1);
    EXPECT_EQ(output_, "tarrow_page_compiler: " + french + ":5: unknown key Page.Extra (no page uses it)\n");
    EXPECT_FALSE(fs::exists(dir_ / "out" / "ENWW" / "Hello.htm"));
    Write("FRWW.txt", "lang fr\ndir ltr\nPage.Tip = Astuce\nPage.Text = Bonjour\n");
    EXPECT_EQ(Run({"Hello.htm"}, {"FRWW.txt"}), 1);
    EXPECT_EQ(output_, "tarrow_page_compiler: tables: ENWW.txt is missing (the folder that every other language falls back to)\n");
}

TEST_F(PageCompilerTest, FailsOnATemplateWithoutLangAndDir)
{
    std::string page = Write("Hello.htm", "<html lang=\"{{@lang}}\"><p>{{Page.Text}}</p></html>\n");
    Write("ENWW.txt", "lang en\ndir ltr\nPage.Text = Hello\n");
    EXPECT_EQ(Run({"Hello.htm"}, {"ENWW.txt"}), 1);
    EXPECT_EQ(output_, "tarrow_page_compiler: " + page + ": the template must use {{@lang}} and {{@dir}}\n");
}

TEST_F(PageCompilerTest, FailsOnAWrongDirection)
{
    Write("Hello.htm", kTemplate);
    std::string table = Write("ENWW.txt", "lang en\ndir left\nPage.Tip = Tip\nPage.Text = Hello\n");
    EXPECT_EQ(Run({"Hello.htm"}, {"ENWW.txt"}), 1);
    EXPECT_EQ(output_, "tarrow_page_compiler: " + table + ": dir must be ltr or rtl\n");
}

TEST_F(PageCompilerTest, FailsOnAKeyGivenTwice)
{
    Write("Hello.htm", kTemplate);
    std::string table = Write("ENWW.txt", "lang en\ndir ltr\nPage.Tip = Tip\nPage.Text = Hello\nPage.Tip = Again\n");
    EXPECT_EQ(Run({"Hello.htm"}, {"ENWW.txt"}), 1);
    EXPECT_EQ(output_, "tarrow_page_compiler: " + table + ":5: key Page.Tip appears twice\n");
}

} // namespace
