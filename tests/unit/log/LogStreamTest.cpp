#include "common/log/LogStream.h"
#include "platform/core/Paths.h"
#include "support/LogCapture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(TimeStamp, PlainNumbersWithoutLeadingZerosAndMinusOneWithoutLocalTime)
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    EXPECT_EQ(FormatTimeStamp(&t), "12/6/2026 9:5:7 ");
    t.tm_hour = 0;
    t.tm_min = 0;
    t.tm_sec = 0;
    EXPECT_EQ(FormatTimeStamp(&t), "12/6/2026 0:0:0 ");
    EXPECT_EQ(FormatTimeStamp(nullptr), "0/0/0 -1:-1:-1 ");
}

TEST(LogStream, AppendsBehindOtherStreamsAndWritesUtf8)
{
    DeleteLogFile(kLogFilePath);
    LogCapture capture;
    CLogStream first;
    CLogStream second;
    first.Open(kLogFilePath);
    second.Open(kLogFilePath);
    first.Line(u"one \u00e9");
    second.Line(u"two");
    first << "three" << 42 << u"\n";
    first.BlankLine();
    EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"one \xC3\xA9", "two", "three42", ""}));
    std::string text = capture.Text();
    EXPECT_GT(LogCapture::TimeStampLength(text), 0u);
    EXPECT_EQ(text.substr(LogCapture::TimeStampLength(text), 3), "one");
}

TEST(LogStream, IsSilentWhenTheFileCannotBeOpened)
{
    CLogStream missingDrive;
    missingDrive.Open(u"Q:\\Tarrow.log");
    EXPECT_FALSE(missingDrive.IsOpen());
    missingDrive.Line(u"lost"); // must not crash

    std::string dir = platform::DriveCRoot() + "/readonly";
    mkdir(dir.c_str(), 0755);
    CLogStream directory;
    directory.Open(u"C:\\readonly");
    EXPECT_FALSE(directory.IsOpen());
}

TEST(LogStream, DeletingAMissingOrOpenFileIsHarmless)
{
    DeleteLogFile(u"C:\\never-there.log");
    CLogStream stream;
    stream.Open(kLogFilePath);
    DeleteLogFile(kLogFilePath);
    stream.Line(u"after delete"); // goes to the unlinked file, silently
    SUCCEED();
}
