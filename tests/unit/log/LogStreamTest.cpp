#include "LogFileText.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The sanitizers probe memory with writes of their own, so the kernel's count of write calls
// says nothing about the log there; the regular build checks the counts.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kWritesCountable = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
constexpr bool kWritesCountable = false;
#else
constexpr bool kWritesCountable = true;
#endif
#else
constexpr bool kWritesCountable = true;
#endif

// Checks a number of write calls where the count means something.
#define EXPECT_WRITES(expected, actual) \
    do { \
        if (kWritesCountable) { \
            EXPECT_EQ((expected), (actual)); \
        } \
    } while (false)
#define EXPECT_WRITES_BETWEEN(low, high, actual) \
    do { \
        if (kWritesCountable) { \
            EXPECT_GE((actual), (low)); \
            EXPECT_LE((actual), (high)); \
        } \
    } while (false)

// Write calls this process has made so far (the kernel's count).
long long WriteCalls()
{
    std::ifstream io("/proc/self/io");
    for (std::string key; io >> key;) {
        long long value = 0;
        io >> value;
        if (key == "syscw:")
            return value;
    }
    return -1;
}

} // namespace

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
    t.tm_mon = 0;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 0;
    EXPECT_EQ(FormatTimeStamp(&t), "1/6/2026 23:59:0 ");
    EXPECT_EQ(FormatTimeStamp(nullptr), "0/0/0 -1:-1:-1 ");
}

TEST(LogStream, ALineIsOneWriteStampedWithTheLocalTime)
{
    // Fourteen hours east of UTC: a stamp in UTC would show another hour (and often another day).
    setenv("TZ", "XYZ-14", 1);
    tzset();
    CLogStream stream;
    stream.Open(kLogFilePath);
    ASSERT_TRUE(stream.IsOpen());
    LogCapture capture;

    std::time_t before = std::time(nullptr);
    long long writes = WriteCalls();
    stream.Line(u"one \u00e9");
    EXPECT_WRITES(1, WriteCalls() - writes);
    std::time_t after = std::time(nullptr);

    std::vector<std::string> expected;
    for (std::time_t t = before; t <= after; ++t) {
        std::tm local{};
        expected.push_back(FormatTimeStamp(localtime_r(&t, &local)) + "one \xC3\xA9\n");
    }
    EXPECT_NE(std::find(expected.begin(), expected.end(), capture.Text()), expected.end()) << capture.Text();
}

TEST(LogStream, AppendsBehindOtherStreamsAndWritesUtf8)
{
    LogCapture capture;
    CLogStream first;
    CLogStream second;
    first.Open(kLogFilePath);
    second.Open(kLogFilePath);
    first.Line(u"one");
    second.Line(u"two");
    first << "three" << 42 << u" \u00e9\n";
    first.BlankLine();
    second << timestamp << "four\n";
    EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"one", "two", "three42 \xC3\xA9", "", "four"}));
    // Only the lines written with a time stamp carry one.
    std::istringstream lines(capture.Text());
    std::vector<bool> stamped;
    for (std::string line; std::getline(lines, line);)
        stamped.push_back(LogCapture::TimeStampLength(line) > 0);
    EXPECT_EQ(stamped, (std::vector<bool>{true, true, false, false, true}));
}

TEST(LogStream, CreatesTheFileForTheUserAloneWhateverTheUmask)
{
    const std::string path = LogPath();
    unlink(path.c_str());
    mode_t old = umask(0);
    CLogStream stream;
    stream.Open(kLogFilePath);
    umask(old);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST(LogStream, StaysSilentWhereItCannotOpen)
{
    const std::string root = platform::DriveCRoot();
    ASSERT_EQ(mkdir((root + "/folder.log").c_str(), 0700), 0);
    std::ofstream(root + "/target.txt") << "not the log";
    ASSERT_EQ(symlink((root + "/target.txt").c_str(), (root + "/link.log").c_str()), 0);
    ASSERT_EQ(symlink((root + "/absent.txt").c_str(), (root + "/dangling.log").c_str()), 0);
    ASSERT_EQ(mkfifo((root + "/fifo.log").c_str(), 0600), 0);
    // With a reader waiting, opening the FIFO would succeed: only its type keeps the stream off it.
    int reader = open((root + "/fifo.log").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);

    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    for (const char16_t* path : {u"Q:\\Tarrow.log", u"C:\\folder.log", u"C:\\link.log", u"C:\\dangling.log",
                                 u"C:\\fifo.log"}) {
        CLogStream stream;
        stream.Open(path);
        EXPECT_FALSE(stream.IsOpen()) << CString(path).ToUtf8();
        stream.Line(u"lost");
        stream << "lost" << 1 << timestamp;
        stream.BlankLine();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    EXPECT_EQ(FileText(root + "/target.txt"), "not the log");
    EXPECT_EQ(access((root + "/absent.txt").c_str(), F_OK), -1);
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
}

TEST(LogStream, ABatchWritesItsLinesInWholePiecesAndInOrder)
{
    CLogStream stream;
    stream.Open(kLogFilePath);
    ASSERT_TRUE(stream.IsOpen());
    LogCapture capture;
    long long writes = WriteCalls();
    {
        LogBatch batch(stream);
        stream.Line(u"one");
        stream.Line(u"two");
        EXPECT_WRITES(0, WriteCalls() - writes);
        stream << "three";  // anything else written meanwhile comes after the waiting lines
        EXPECT_WRITES(2, WriteCalls() - writes);
        stream.Line(u"");
        stream.Line(u"four");
        EXPECT_WRITES(2, WriteCalls() - writes);
    }
    EXPECT_WRITES(3, WriteCalls() - writes);
    std::string text = capture.Text();
    // The stamped lines one and two, then three without a line end, the empty line's stamp, four.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    std::size_t one = text.find(" one\n"), two = text.find(" two\nthree"), four = text.find(" four\n");
    ASSERT_NE(one, std::string::npos) << text;
    ASSERT_NE(two, std::string::npos) << text;
    ASSERT_NE(four, std::string::npos) << text;
    EXPECT_LT(one, two);
    EXPECT_LT(two, four);

    // A long walk goes out in pieces of at least kLogBatchBytes, each ending at a line end.
    writes = WriteCalls();
    {
        LogBatch batch(stream);
        for (int i = 0; i < 10000; ++i)
            stream.Line(CString(u"record ") + IntToCString(i));
    }
    long long pieces = WriteCalls() - writes;
    EXPECT_WRITES_BETWEEN(2, 10000 * 30 / static_cast<long long>(kLogBatchBytes) + 1, pieces);
    std::string all = capture.Text();
    EXPECT_NE(all.find(" record 9999\n"), std::string::npos);
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 4 + 10000);
}
