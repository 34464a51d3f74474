#include "ComputerTest.h"
#include "library/service/CSharedFolder.h"
#include "platform/core/Services.h"
#include "tools/simdevice/SimulatedDevice.h"

namespace {

namespace fs = std::filesystem;

// A simulated device beside the private Samba; names are proposed for base directory C:\Scans\.
class FolderNameUniquenessTest : public ComputerTest {
protected:
    void SetUp() override
    {
        ComputerTest::SetUp();
        ASSERT_TRUE(device.Start());
        address = CString::FromUtf8(device.Address());
        prefix = (cSharedFolder.m_csComputerName + u"_KV4250").ToUtf8();
        fs::create_directories(OnDriveC("Scans"));
    }

    CString Propose()
    {
        CString name(u"left over");
        EXPECT_EQ(cSharedFolder.GenerateUniqueFolderName(address, u"C:\\Scans\\", model, name), 1);
        return name;
    }

    BOOL IsUnique(const CString& name, const CString& base = u"C:\\Scans\\")
    {
        return cSharedFolder.IsFolderNameUnique(address, base, name);
    }

    void AddDeviceFolder(const std::string& name)
    {
        simdevice::Folder folder;
        folder.name = name;
        folder.path = "\\\\SCANPC\\" + name;
        device.AddFolder(folder);
    }

    simdevice::SimulatedDevice device;
    CString address;
    CString model = u"Norvik Kelvane KV4250 MFP";
    std::string prefix;
};

} // namespace

TEST_F(FolderNameUniquenessTest, WithoutAnyConflictTheBarePrefixIsProposed)
{
    ASSERT_FALSE(cSharedFolder.m_csComputerName.IsEmpty());
    EXPECT_EQ(Propose().ToUtf8(), prefix);
    std::string name = prefix;
    std::vector<std::string> expected{
        "CSharedFolder::GenerateUniqueFolderName( " + address.ToUtf8() + ", C:\\Scans\\, Norvik Kelvane KV4250 MFP)",
        "CSharedFolder::IsFolderNameUnique( " + address.ToUtf8() + ", C:\\Scans\\, " + name + ")",
        "CSharedFolder::IsFolderNameUnique(): Folder " + name + " does not exist on PC.",
        "CSharedFolder::IsFolderNameUnique(): Share " + name + " does not exist on PC.",
        "CSharedFolder::IsFolderNameUnique(): Shortcut " + name + " does not exist on PC.",
        "CSharedFolder::GetPrinterFolderNames( " + address.ToUtf8() + ")",
        "CSharedFolder::IsFolderNameUnique(): Folder " + name + " does not exist on printer.",
    };
    // The service's own lines, without the device traffic.
    std::vector<std::string> lines;
    for (const auto& line : log.Lines())
        if (line.starts_with("CSharedFolder::"))
            lines.push_back(line);
    EXPECT_EQ(lines, expected);
}

TEST_F(FolderNameUniquenessTest, TakenDirectoriesAreNumberedPast)
{
    fs::create_directories(OnDriveC("Scans/" + prefix));
    std::ofstream(OnDriveC("Scans/" + prefix + "_1")) << "a file takes the name too";
    EXPECT_EQ(Propose().ToUtf8(), prefix + "_2");
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Folder " + prefix + " already exists on PC."));
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Folder " + prefix + "_1 already exists on PC."));
}

TEST_F(FolderNameUniquenessTest, ATakenShareOrShortcutIsPassedOver)
{
    fs::create_directories(OnDriveC("Elsewhere"));
    ASSERT_EQ(platform::IShares::Default().AddShare(CString::FromUtf8(prefix), u"C:\\Elsewhere"), 0);
    fs::create_directories(Desktop());
    std::ofstream(Desktop() + "/" + prefix + "_1.desktop") << "[Desktop Entry]\n";

    EXPECT_EQ(Propose().ToUtf8(), prefix + "_2");
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Share " + prefix + " already exists on PC."));
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsShortcutNameUnique(): Shortcut " + prefix + "_1 already exists on PC."));
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Shortcut " + prefix + "_1 already exists on PC."));
}

TEST_F(FolderNameUniquenessTest, TheDeviceComparesNamesWithoutRegardToCase)
{
    AddDeviceFolder("REPORTS");
    AddDeviceFolder("DevOnly2");
    EXPECT_EQ(IsUnique(u"reports"), 0);
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Folder REPORTS already exists on printer."));
    // A name the device keeps in mixed case is the same folder.
    EXPECT_EQ(IsUnique(u"devonly2"), 0);
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Folder DEVONLY2 already exists on printer."));
    EXPECT_EQ(IsUnique(u"Mixed"), 1);
    EXPECT_EQ(cSharedFolder.m_csLastUniqueName, CString(u"MIXED"));

    // The device's names are read once and then taken from memory.
    EXPECT_EQ(device.Requests().size(), 2u);
    AddDeviceFolder("LATER");
    EXPECT_EQ(IsUnique(u"later"), 1);
    EXPECT_EQ(device.Requests().size(), 2u);
}

TEST_F(FolderNameUniquenessTest, AProposalFreeOnThePcButTakenOnTheDeviceIsNumberedPast)
{
    AddDeviceFolder(prefix);
    EXPECT_EQ(Propose().ToUtf8(), prefix + "_1");
}

TEST_F(FolderNameUniquenessTest, ANameFoundUniqueIsRememberedAndNotSearchedAgain)
{
    AddDeviceFolder("OTHER");
    EXPECT_EQ(IsUnique(u"FREE"), 1);
    LogCapture second;
    EXPECT_EQ(IsUnique(u"FREE"), 1);
    EXPECT_TRUE(second.HasLine("CSharedFolder::IsFolderNameUnique(): Folder FREE has already been found to be unique on printer."));
    EXPECT_TRUE(second.HasLine("CSharedFolder::IsFolderNameUnique(): Folder FREE does not exist on printer."));
}

TEST_F(FolderNameUniquenessTest, AMissingBaseDirectorySkipsOnlyTheFolderTest)
{
    EXPECT_EQ(IsUnique(u"Reports", u"C:\\Missing\\"), 1);
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Directory C:\\Missing\\ does not exist on PC."));
    EXPECT_FALSE(log.Contains("Folder Reports does not exist on PC."));
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Share Reports does not exist on PC."));
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Shortcut Reports does not exist on PC."));
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Folder Reports does not exist on printer."));
}

TEST_F(FolderNameUniquenessTest, AShareQueryThatFailsCountsAsFree)
{
    SharesWithAnswers shares(samba);
    platform::ScopedService<platform::IShares> answering(shares);
    shares.infoAnswer = 5;
    EXPECT_EQ(IsUnique(u"Reports"), 1);
    EXPECT_TRUE(log.HasLine("ERROR: CSharedFolder::IsShareNameUnique(): NetShareGetInfo() returned ERROR_ACCESS_DENIED"));
    shares.infoAnswer = 42;
    EXPECT_EQ(cSharedFolder.IsShareNameUnique(u"Reports"), 1);
    EXPECT_TRUE(log.HasLine("ERROR: CSharedFolder::IsShareNameUnique(): NetShareGetInfo() returned 42"));
}

TEST_F(FolderNameUniquenessTest, TheSearchGivesUpAfterAThousandCandidates)
{
    SharesWithAnswers shares(samba);
    platform::ScopedService<platform::IShares> answering(shares);
    shares.infoAnswer = 0; // every name is taken as a share
    CString name(u"left over");
    EXPECT_EQ(cSharedFolder.GenerateUniqueFolderName(address, u"C:\\Scans\\", model, name), 0);
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsFolderNameUnique(): Share " + prefix + "_999 already exists on PC."));
    EXPECT_FALSE(log.Contains(prefix + "_1000"));
    EXPECT_TRUE(log.HasLine("ERROR: CSharedFolder::GenerateUniqueFolderName(): No unique name among 1000 candidates for " + prefix));
}

TEST_F(FolderNameUniquenessTest, WithoutAModelCodeNothingIsProposed)
{
    CString name(u"left over");
    EXPECT_EQ(cSharedFolder.GenerateUniqueFolderName(address, u"C:\\Scans\\", u"Norvik kelvane KV4250 MFP", name), 0);
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_FALSE(log.Contains("IsFolderNameUnique"));
}

TEST_F(FolderNameUniquenessTest, AnUnreachableDeviceLetsEveryNamePass)
{
    address = u"127.0.0.1:1";
    EXPECT_EQ(IsUnique(u"Reports"), 1);
    EXPECT_EQ(cSharedFolder.m_bListInvalid, 1);
    EXPECT_EQ(cSharedFolder.m_csLastUniqueName, CString(u"Reports"));
}

TEST_F(FolderNameUniquenessTest, PathTypes)
{
    fs::create_directories(OnDriveC("Scans/Dir"));
    std::ofstream(OnDriveC("Scans/file")) << "x";
    EXPECT_EQ(GetPathType(u"C:\\Scans\\Dir"), 2);
    EXPECT_EQ(GetPathType(u"C:\\Scans\\file"), 1);
    EXPECT_EQ(GetPathType(u"C:\\Scans\\none"), 0);
    EXPECT_EQ(GetPathType(u"C:\\None\\none"), 0);
    EXPECT_EQ(GetPathType(CString(u"C:\\Scans\\") + CString(300, u'n')), -1);
}
