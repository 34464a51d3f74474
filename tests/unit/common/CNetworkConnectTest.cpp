#include "DataFileFixture.h"

#include "common/data/CNetworkConnect.h"
#include "common/data/CWriteXML.h"
#include "support/LogCapture.h"
#include "support/ScriptedMessageBoxes.h"

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kPathText = "C:\\Program Files\\Tarrow/tarrow.data";

std::string Read(const CString& key, int& found)
{
    CString value = u"unchanged";
    found = CNetworkConnect::ReadXML(value, key);
    return value.ToUtf8();
}

} // namespace

TEST_F(DataFileTest, ValuesComeBackDecodedAndTrimmed)
{
    CWriteXML writer;
    writer.SetValue(u"PrinterModelName", u"  <Laser & \"Co\">\t");
    writer.SetValue(u"SelectionStatus", u"1");
    writer.CreateDataFile();

    int found = 0;
    EXPECT_EQ(Read(u"PrinterModelName", found), "<Laser & \"Co\">");
    EXPECT_EQ(found, 1);
    EXPECT_EQ(Read(u"selectionstatus", found), "1"); // keys match without regard to case
    EXPECT_EQ(found, 1);
}

TEST_F(DataFileTest, AMissingKeyLeavesTheValueAndLogs)
{
    CWriteXML writer;
    writer.SetValue(u"SelectionStatus", u"0");
    writer.SetValue(u"PrinterModelName", u""); // never written
    writer.CreateDataFile();

    LogCapture log;
    int found = 1;
    EXPECT_EQ(Read(u"PrinterModelName", found), "unchanged");
    EXPECT_EQ(found, 0);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"CNetworkConnect::ReadXML(): ERROR: Unable to retrieve value of "
                                                    "PrinterModelName from Data file: " + kPathText});
}

TEST_F(DataFileTest, ASkeletonHoldsNoKey)
{
    CWriteXML writer;
    writer.SetValue(u"IPAddress", u"");
    writer.CreateDataFile();
    int found = 1;
    EXPECT_EQ(Read(u"IPAddress", found), "unchanged");
    EXPECT_EQ(found, 0);
}

TEST_F(DataFileTest, AnElementWithoutTextReadsAsEmpty)
{
    WriteFileBytes("<tarrow><settings><IPAddress/></settings></tarrow>");
    int found = 0;
    EXPECT_EQ(Read(u"IPAddress", found), "");
    EXPECT_EQ(found, 1);
}

TEST_F(DataFileTest, AMissingFileIsLogged)
{
    LogCapture log;
    int found = 1;
    EXPECT_EQ(Read(u"IPAddress", found), "unchanged");
    EXPECT_EQ(found, 0);
    EXPECT_TRUE(log.HasLine("CNetworkConnect::ReadXML(): ERROR :Unable to open settings file " + kPathText));
}

TEST_F(DataFileTest, AFileWithoutTarrowStopsTheReaderWithTheReport)
{
    WriteFileBytes("<other><settings/></other>");
    EXPECT_EXIT(
        {
            ScriptedMessageBoxes boxes;
            CString value;
            CNetworkConnect::ReadXML(value, u"IPAddress");
        },
        testing::ExitedWithCode(255), "");
}

namespace {

// Reads a key in a child process that a hanging read cannot keep (SIGALRM ends it); exits with 0
// when ReadXML answered 0 and left the value alone, as it does for a file that cannot be read.
void ReadInChildAndExit()
{
    alarm(10);
    ScriptedMessageBoxes boxes;
    CString value = u"unchanged";
    int found = CNetworkConnect::ReadXML(value, u"IPAddress");
    std::exit(found == 0 && value == u"unchanged" && boxes.Shown().empty() ? 0 : 1);
}

} // namespace

TEST_F(DataFileTest, OnlyARegularFileIsReadAFolderOrFifoCannotBeRead)
{
    const std::string path = PosixPath();
    const std::string fifo = path + ".fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::pair<std::string, std::function<int()>>> kinds = {
        {"folder", [&] { return mkdir(path.c_str(), 0700); }},
        {"FIFO", [&] { return mkfifo(path.c_str(), 0600); }},
        {"link to a FIFO", [&] { return symlink(fifo.c_str(), path.c_str()); }},
    };
    for (const auto& [kind, make] : kinds) {
        ASSERT_EQ(make(), 0) << kind;
        LogCapture log;
        EXPECT_EXIT(ReadInChildAndExit(), testing::ExitedWithCode(0), "") << kind;
        EXPECT_EQ(log.Lines(), std::vector<std::string>{"CNetworkConnect::ReadXML(): ERROR :Unable to open settings file " +
                                                        kPathText})
            << kind;
        ASSERT_EQ(remove(path.c_str()), 0) << kind;
    }
}
