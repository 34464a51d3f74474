#include "DeviceTest.h"
#include "library/service/CSharedFolder.h"

#include <algorithm>

using simdevice::Profile;

TEST_F(DeviceTest, RegistersAFolderThatAsksForCredentialsAtTheDevice)
{
    cSharedFolder.m_csLastUniqueName = u"SCANPC_KV4250";
    EXPECT_EQ(cSharedFolder.ConfigureDevice(address, u"SCANPC", u"Reports", BREDE_FORMAT_PDF, BREDE_RESOLUTION_300,
                                            BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_NO_ERROR);
    EXPECT_TRUE(cSharedFolder.m_csLastUniqueName.IsEmpty());

    auto folders = device.Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].name, "Reports");
    EXPECT_EQ(folders[0].path, "\\\\SCANPC\\Reports");
    EXPECT_EQ(folders[0].authType, "MFP_USER_CREDENTIALS");
    EXPECT_EQ(folders[0].resolution, "300x300");
    EXPECT_EQ(device.EnabledFeatures(), (std::vector<std::string>{"SCAN_TO_SHARE", "SCAN_TO_SIMPLE_FOLDER"}));
    EXPECT_TRUE(log.HasLine("CSharedFolder::ConfigureDevice( " + device.Address() + ", SCANPC, Reports,,,,)"));
    EXPECT_TRUE(log.HasLine("SetupSendToFolder(): Execute EnableSendToFolder"));
    EXPECT_TRUE(log.HasLine("SetupSendToFolder(): Execute CreateFolderAlias"));
}

TEST_F(DeviceTest, StoredPasswordNeverReachesTheLogWhateverItHolds)
{
    const CString password = u"p\"a<s>s&'w\u00f6rd Password=\"x";
    EXPECT_EQ(cSharedFolder.ConfigureDevice(u"alice", password, u"OFFICE", address, u"SCANPC", u"R&D",
                                            BREDE_FORMAT_TIFF, BREDE_RESOLUTION_600, BREDE_COLOR_BLACK_WHITE,
                                            BREDE_FILESIZE_SMALL),
              BREDE_NO_ERROR);
    auto folders = device.Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].password, password.ToUtf8()); // arrived intact
    EXPECT_EQ(folders[0].name, "R&D");
    EXPECT_EQ(folders[0].authType, "DEFAULT_USER_CREDENTIALS");

    // Read back: the device echoes the password in its folder list.
    CString names;
    cSharedFolder.GetFolderNamesOnDevice(address, names);
    EXPECT_EQ(names, CString(u"R&D,"));

    EXPECT_TRUE(log.HasLine("CSharedFolder::ConfigureDevice( alice,***,OFFICE, " + device.Address()
                            + ", SCANPC, R&D,,,,)"));
    for (const char* piece : {"a<s>s", "&lt;s", "s&amp;", "w\xC3\xB6rd", "rd Password"})
        EXPECT_FALSE(log.Contains(piece)) << piece;
}

TEST_F(DeviceTest, EmptyCredentialsStillRegisterWithAnAccountEntry)
{
    EXPECT_EQ(cSharedFolder.ConfigureDevice(u"", u"", u"", address, u"SCANPC", u"Reports", BREDE_FORMAT_PDF,
                                            BREDE_RESOLUTION_300, BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_NO_ERROR);
    ASSERT_EQ(device.Folders().size(), 1u);
    EXPECT_EQ(device.Folders()[0].authType, "DEFAULT_USER_CREDENTIALS");
    EXPECT_NE(device.Requests().back().xmlRequest.find("UserName=\"\" Password=\"\" NtDomain=\"\" "),
              std::string::npos);
}

TEST_F(DeviceTest, BlankArgumentsFailWithoutTraffic)
{
    cSharedFolder.m_csLastUniqueName = u"KEPT";
    EXPECT_EQ(cSharedFolder.ConfigureDevice(address, u"SCANPC", u"", BREDE_FORMAT_PDF, BREDE_RESOLUTION_300,
                                            BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_FAILED);
    EXPECT_EQ(cSharedFolder.ConfigureDevice(u"u", u"p", u"d", u"", u"SCANPC", u"Reports", BREDE_FORMAT_PDF,
                                            BREDE_RESOLUTION_300, BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_FAILED);
    EXPECT_TRUE(device.Requests().empty());
    EXPECT_EQ(cSharedFolder.m_csLastUniqueName, CString(u"KEPT"));
    // Each form says so.
    const auto lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "ERROR- ConfigureDevice(): MfpIPAddress, ShareHostName or ShareName is either NULL or blank."),
              2);
}

TEST_F(DeviceTest, RefusedConnectionStopsAfterTheFirstCommand)
{
    cSharedFolder.m_csLastUniqueName = u"GONE";
    EXPECT_EQ(cSharedFolder.ConfigureDevice(kNoDevice, u"SCANPC", u"Reports", BREDE_FORMAT_PDF,
                                            BREDE_RESOLUTION_300, BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_FAILED);
    EXPECT_TRUE(cSharedFolder.m_csLastUniqueName.IsEmpty());
    EXPECT_TRUE(log.HasLine("ERROR- SetupSendToFolder(): EnableSendToFolder failed"));
    EXPECT_FALSE(log.HasLine("SetupSendToFolder(): Execute CreateFolderAlias"));
}

TEST_F(DeviceTest, FolderPathCheckAsksTheDevice)
{
    // The device's answer alone decides; its sign-in to a real share: tests/integration/ctl.
    device.SetFolderPathValidator([](const simdevice::Folder& folder) {
        return folder.path == "\\\\SCANPC\\Reports" && folder.userName == "alice" && folder.password == "pw"
            && folder.domain == "OFFICE";
    });
    FolderRecord record;
    record.SetShare(u"SCANPC", u"Reports");
    record.SetCredentials(u"alice", u"pw", u"OFFICE");
    EXPECT_EQ(cSharedFolder.IsFolderPathValid(address, record), 1);
    EXPECT_TRUE(log.HasLine("IsFolderPathValid(): Folder Path and credentials are valid."));

    record.SetShare(u"SCANPC", u"Other");
    EXPECT_EQ(cSharedFolder.IsFolderPathValid(address, record), 0);
    EXPECT_TRUE(log.HasLine("IsFolderPathValid(): Folder Path and/or credentials are not valid."));

    // Without credentials the command refuses its payload and the device gets an empty request.
    FolderRecord noAccount;
    noAccount.SetShare(u"SCANPC", u"Reports");
    EXPECT_EQ(cSharedFolder.IsFolderPathValid(address, noAccount), 0);
    EXPECT_EQ(device.Requests().back().xmlRequest, "");

    EXPECT_EQ(cSharedFolder.IsFolderPathValid(kNoDevice, record), 0);
    EXPECT_TRUE(log.HasLine("ERROR- IsFolderPathValid(): ExecuteCommand() failed"));
}

// A device that answers a change with a server error has not made it: both forms fail, with the
// status in the log, and nothing follows the refused step.
TEST_F(DeviceTest, AServerErrorReplyIsAFailedRegistration)
{
    StartDevice(Profile::HttpError);
    EXPECT_EQ(cSharedFolder.ConfigureDevice(address, u"SCANPC", u"Reports", BREDE_FORMAT_PDF, BREDE_RESOLUTION_300,
                                            BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_FAILED);
    EXPECT_TRUE(log.HasLine("ERROR- SetupSendToFolder(): EnableSendToFolder returned HTTP status 500"));
    EXPECT_TRUE(log.HasLine("ERROR- SetupSendToFolder(): EnableSendToFolder failed"));
    EXPECT_FALSE(log.Contains("Execute CreateFolderAlias"));

    EXPECT_EQ(cSharedFolder.ConfigureDevice(u"alice", u"pw", u"OFFICE", address, u"SCANPC", u"Reports",
                                            BREDE_FORMAT_PDF, BREDE_RESOLUTION_300, BREDE_COLOR_COLOR,
                                            BREDE_FILESIZE_STANDARD),
              BREDE_FAILED);
    auto lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "ERROR- SetupSendToFolder(): EnableSendToFolder returned HTTP status 500"), 2);
}
