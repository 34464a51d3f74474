#include "DataFileFixture.h"

#include "common/data/CNetworkConnect.h"
#include "common/data/CWriteXML.h"
#include "support/LogCapture.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

const std::string kPathText = "C:\\Program Files\\Tarrow\\tarrow.data";

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
