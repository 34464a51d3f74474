#include "DataFileFixture.h"

#include "common/data/CWriteXML.h"
#include "support/LogCapture.h"
#include "support/ScriptedMessageBoxes.h"

#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-16\"?>\n";
const std::string kPathText = "C:\\Program Files\\Tarrow/tarrow.data";

// Makes a file unchangeable even for root while it lives (ext4 immutable flag).
class Immutable {
public:
    explicit Immutable(const std::string& path) : m_fd(open(path.c_str(), O_RDONLY)) { m_set = Set(true); }
    ~Immutable()
    {
        if (m_set)
            Set(false);
        close(m_fd);
    }
    bool IsSet() const { return m_set; }

private:
    bool Set(bool on)
    {
        int flags = 0;
        if (ioctl(m_fd, FS_IOC_GETFLAGS, &flags) != 0)
            return false;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        return ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
    }

    int m_fd;
    bool m_set = false;
};

} // namespace

TEST_F(DataFileTest, OneKeyGivesTheExactFile)
{
    LogCapture log;
    CWriteXML writer;
    EXPECT_EQ(writer.Path().ToUtf8(), kPathText);
    writer.SetValue(u"SelectionStatus", u"1");
    writer.SetValue(u"SelectionStatus", u"0"); // the last value counts
    writer.CreateDataFile();

    EXPECT_EQ(FileBytes(), Utf16File(kHeader + "<tarrow>\n\t<settings>\n\t\t<SelectionStatus>\n\t\t\t0\n"
                                               "\t\t</SelectionStatus>\n\t</settings>\n</tarrow>\n"));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Creating Data File : " + kPathText + " ... Success."});
}

TEST_F(DataFileTest, SeveralKeysWithEscapedTextAndNoEmptyValues)
{
    CWriteXML writer;
    writer.SetValue(u"IPAddress", u"127.0.0.7");
    writer.SetValue(u"HostName", u"");
    writer.SetValue(u"PrinterModelName", u"Laser \"Pro\" <A&B> l'été");
    writer.CreateDataFile();

    EXPECT_EQ(FileBytes(),
              Utf16File(kHeader + "<tarrow>\n\t<settings>\n"
                                  "\t\t<IPAddress>\n\t\t\t127.0.0.7\n\t\t</IPAddress>\n"
                                  "\t\t<PrinterModelName>\n\t\t\tLaser &quot;Pro&quot; &lt;A&amp;B&gt; l&apos;été\n"
                                  "\t\t</PrinterModelName>\n\t</settings>\n</tarrow>\n"));
}

TEST_F(DataFileTest, OnlyEmptyValuesLeaveTheSkeleton)
{
    CWriteXML writer;
    writer.SetValue(u"PrinterModelName", u"");
    writer.CreateDataFile();
    EXPECT_EQ(FileBytes(), Utf16File("<?xml version=\"1.0\"?>\n<tarrow>\n\t<settings/>\n</tarrow>\n"));
}

TEST_F(DataFileTest, NothingStoredWritesNothingAndKeepsAnOlderFile)
{
    WriteFileBytes("older run");
    LogCapture log;
    CWriteXML().CreateDataFile();
    EXPECT_EQ(FileBytes(), "older run");
    EXPECT_EQ(log.Text(), "");
}

TEST_F(DataFileTest, AMissingFileLosesTheKeyWithALogLine)
{
    LogCapture log;
    CWriteXML writer;
    EXPECT_EQ(writer.WriteElement(u"IPAddress", u"127.0.0.7"), 0);
    EXPECT_EQ(writer.WriteElement(u"IPAddress", u""), 1); // an empty value needs no file
    EXPECT_TRUE(log.HasLine("Network: CWriteXML::WriteElement(): ERROR :Unable to open settings file."));
}

TEST_F(DataFileTest, AFileThatCannotBeRewrittenLosesTheKeyWithALogLine)
{
    CWriteXML writer;
    writer.SetValue(u"IPAddress", u"");
    writer.CreateDataFile();
    std::string skeleton = FileBytes();
    Immutable locked(PosixPath());
    if (!locked.IsSet())
        GTEST_SKIP() << "cannot make a file immutable here";

    LogCapture log;
    EXPECT_EQ(writer.WriteElement(u"IPAddress", u"127.0.0.7"), 0);
    EXPECT_TRUE(log.HasLine("Network: CWriteXML::WriteElement(): ERROR: Unable to save data to Data file: " + kPathText));
    EXPECT_EQ(FileBytes(), skeleton);
}

TEST_F(DataFileTest, ASkeletonThatCannotBeWrittenIsLoggedAsFailed)
{
    Immutable locked((WriteFileBytes("older run"), PosixPath()));
    if (!locked.IsSet())
        GTEST_SKIP() << "cannot make a file immutable here";
    LogCapture log;
    CWriteXML writer;
    writer.SetValue(u"HostName", u"");
    writer.CreateDataFile();
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Creating Data File : " + kPathText + " ... Failed.",
                                                     "ERROR: Unable to Create Data file: " + kPathText}));
}

TEST_F(DataFileTest, AMalformedFileEndsTheProgramWith255)
{
    ScriptedMessageBoxes boxes;
    CWriteXML writer;
    WriteFileBytes("<tarrow><settings></tarrow"); // a file the writer cannot parse
    EXPECT_EXIT(writer.WriteElement(u"IPAddress", u"127.0.0.7"), testing::ExitedWithCode(255), "");
}

TEST_F(DataFileTest, AFolderOrFifoInTheFilesPlaceIsNeitherWrittenNorWaitedFor)
{
    const std::string path = PosixPath();
    const std::vector<std::pair<std::string, std::function<int()>>> kinds = {
        {"folder", [&] { return mkdir(path.c_str(), 0700); }},
        {"FIFO", [&] { return mkfifo(path.c_str(), 0600); }},
    };
    for (const auto& [kind, make] : kinds) {
        ASSERT_EQ(make(), 0) << kind;
        LogCapture log;
        EXPECT_EXIT(
            {
                alarm(10); // a writer that waits is ended by SIGALRM
                ScriptedMessageBoxes boxes;
                CWriteXML writer;
                writer.SetValue(u"IPAddress", u"127.0.0.7");
                writer.CreateDataFile();
                std::exit(boxes.Shown().empty() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "")
            << kind;
        EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Creating Data File : " + kPathText + " ... Failed.",
                                                         "ERROR: Unable to Create Data file: " + kPathText,
                                                         "Network: CWriteXML::WriteElement(): ERROR :Unable to open "
                                                         "settings file."}))
            << kind;
        struct stat info {};
        ASSERT_EQ(lstat(path.c_str(), &info), 0) << kind;
        EXPECT_EQ(S_ISDIR(info.st_mode) ? "folder" : S_ISFIFO(info.st_mode) ? "FIFO" : "other", kind);
        ASSERT_EQ(remove(path.c_str()), 0) << kind;
    }
}
