#include "DeviceTest.h"
#include "library/service/CSharedFolder.h"

TEST_F(DeviceTest, TestFunctionSelectorsReachTheirOperations)
{
    device.AddFolder(MakeFolder("A"));
    device.AddFolder(MakeFolder("B"));
    CString text(u"unchanged");

    EXPECT_EQ(cSharedFolder.TestFunction(1, address, text), text);
    EXPECT_TRUE(log.HasLine("CSharedFolder::GetNumberOfFolders( " + device.Address() + ")"));

    cSharedFolder.TestFunction(2, address, text);
    cSharedFolder.TestFunction(2, address, text);
    EXPECT_EQ(cSharedFolder.m_FolderNameList.GetCount(), 4); // readings append

    for (int quiet : {5, 8, 42}) {
        device.ClearRequests();
        EXPECT_EQ(cSharedFolder.TestFunction(quiet, address, text), CString(u"unchanged"));
        EXPECT_TRUE(device.Requests().empty());
    }

    cSharedFolder.TestFunction(9, address, text);
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsValidMfp(): Returning MANAGED_SCAN_TO_NETWORK"));

    cSharedFolder.TestFunction(99, address, text);
    EXPECT_TRUE(log.HasLine("Done."));

    cSharedFolder.TestFunction(6, address, text);
    EXPECT_TRUE(device.Folders().empty());
}

TEST_F(DeviceTest, TestFunctionPutsTheComputerNameIntoText)
{
    CString text(u"before");
    CString result = cSharedFolder.TestFunction(3, address, text);
    EXPECT_TRUE(log.HasLine("TestFunction(): Call cSharedFolder.MakeHostName(before)"));
    EXPECT_EQ(result, text);
    EXPECT_EQ(text, cSharedFolder.m_csComputerName);
}

TEST_F(DeviceTest, TestFunctionChecksFolderPathsFourWays)
{
    device.SetFolderPathValidator([](const simdevice::Folder& folder) {
        return folder.userName == "TarrowTest" && folder.password == "Tarrow-Test-1"
            && folder.path == "\\\\SCANPC\\TarrowTestShare";
    });
    CString host(u"SCANPC");
    cSharedFolder.TestFunction(4, address, host);
    auto lines = log.Lines();
    int valid = 0;
    int invalid = 0;
    for (const auto& line : lines) {
        valid += line == "IsFolderPathValid(): Folder Path and credentials are valid.";
        invalid += line == "IsFolderPathValid(): Folder Path and/or credentials are not valid.";
    }
    EXPECT_EQ(valid, 1);
    EXPECT_EQ(invalid, 3);
    EXPECT_FALSE(log.Contains("Tarrow-Test-1"));
}

TEST_F(DeviceTest, TestFunctionSevenDeletesEverythingAndSwitchesOff)
{
    device.AddFolder(MakeFolder("A"));
    device.AddFolder(MakeFolder("B"));
    CString text;
    cSharedFolder.TestFunction(7, address, text);
    EXPECT_TRUE(device.Folders().empty());
    EXPECT_TRUE(device.EnabledFeatures().empty());
}
