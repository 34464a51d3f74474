// tarrowctl's CSV fields and command-line options.
#include "ctl/Arguments.h"
#include "ctl/Csv.h"
#include "ctl/ScanOptionWords.h"

#include "library/Quillet_Library.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(CsvTest, FieldsWithSeparatorsQuotesAndLineBreaksComeBackAsTheyWere)
{
    const std::vector<std::string> fields = {"plain", "a,b", "say \"hi\"", "two\nlines", "", "\\\\PC\\Share"};
    const std::string line = CsvLine(fields);
    EXPECT_EQ(line, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",,\\\\PC\\Share\r\n");
    std::istringstream in(line + "next,row\n");
    std::vector<std::string> read;
    std::string error;
    ASSERT_TRUE(ReadCsvRecord(in, read, error));
    EXPECT_EQ(read, fields);
    ASSERT_TRUE(ReadCsvRecord(in, read, error));
    EXPECT_EQ(read, (std::vector<std::string>{"next", "row"}));
    EXPECT_FALSE(ReadCsvRecord(in, read, error));
    EXPECT_EQ(error, "");

    std::istringstream open("ok,\"never closed\n");
    EXPECT_FALSE(ReadCsvRecord(open, read, error));
    EXPECT_EQ(error, "a quotation mark is not closed");
}

TEST(ArgumentsTest, OptionsByTheTableAndTheRestPositional)
{
    constexpr OptionSpec specs[] = {{"--name", "NAME", ""}, {"--json", nullptr, ""}};
    Arguments args;
    std::string error;
    ASSERT_TRUE(args.Parse({"10.0.0.1", "--name", "A B", "--json", "--", "--json"}, specs, error));
    EXPECT_EQ(args.Value("--name"), "A B");
    EXPECT_TRUE(args.Has("--json"));
    EXPECT_EQ(args.Positionals(), (std::vector<std::string>{"10.0.0.1", "--json"}));

    Arguments equals;
    ASSERT_TRUE(equals.Parse({"--name=x=y"}, specs, error));
    EXPECT_EQ(equals.Value("--name"), "x=y");

    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--nmae", "x"}, "unknown option --nmae"},
        {{"--name"}, "--name needs a value (NAME)"},
        {{"--json=yes"}, "--json takes no value"},
    };
    for (const auto& [line, reason] : refused) {
        Arguments bad;
        EXPECT_FALSE(bad.Parse(line, specs, error));
        EXPECT_EQ(error, reason);
    }
}

TEST(ScanOptionWordsTest, EveryWordMapsToTheLibrarysValueAndBack)
{
    ScanOptions options = DefaultScanOptions();
    std::string error;
    const std::vector<std::tuple<const char*, const char*, int ScanOptions::*, int>> words = {
        {"--format", "pdf", &ScanOptions::fileFormat, BREDE_FORMAT_PDF},
        {"--format", "tiff", &ScanOptions::fileFormat, BREDE_FORMAT_TIFF},
        {"--format", "mtiff", &ScanOptions::fileFormat, BREDE_FORMAT_MTIFF},
        {"--format", "jpeg", &ScanOptions::fileFormat, BREDE_FORMAT_JPEG},
        {"--resolution", "600", &ScanOptions::resolution, BREDE_RESOLUTION_600},
        {"--resolution", "400", &ScanOptions::resolution, BREDE_RESOLUTION_400},
        {"--resolution", "300", &ScanOptions::resolution, BREDE_RESOLUTION_300},
        {"--resolution", "200", &ScanOptions::resolution, BREDE_RESOLUTION_200},
        {"--resolution", "150", &ScanOptions::resolution, BREDE_RESOLUTION_150},
        {"--resolution", "75", &ScanOptions::resolution, BREDE_RESOLUTION_75},
        {"--color", "color", &ScanOptions::colorSetting, BREDE_COLOR_COLOR},
        {"--color", "bw", &ScanOptions::colorSetting, BREDE_COLOR_BLACK_WHITE},
        {"--size", "small", &ScanOptions::fileSize, BREDE_FILESIZE_SMALL},
        {"--size", "standard", &ScanOptions::fileSize, BREDE_FILESIZE_STANDARD},
        {"--size", "large", &ScanOptions::fileSize, BREDE_FILESIZE_LARGE},
    };
    for (const auto& [option, word, field, value] : words) {
        ASSERT_TRUE(SetScanOption(option, word, options, error)) << word;
        EXPECT_EQ(options.*field, value) << option << " " << word;
    }
    EXPECT_FALSE(SetScanOption("--resolution", "1200", options, error));
    EXPECT_EQ(error, "--resolution does not take \"1200\"");

    EXPECT_EQ(FileFormatWord("MTIFF"), "mtiff");
    EXPECT_EQ(ResolutionWord("75x75"), "75");
    EXPECT_EQ(ColorWord("Black_White"), "bw");
    EXPECT_EQ(FileSizeWord("DS_FILESIZE_SMALL"), "small");
    EXPECT_EQ(FileSizeWord("DS_FILESIZE_HUGE"), "DS_FILESIZE_HUGE");
}
