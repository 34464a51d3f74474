// The whole set-up as a user goes through it, Welcome to Finish, on the in-memory page host: the
// real TarrowNetwork finds the simulated device, a private smbd checks the account's password,
// and afterwards the folder, its rights, the share and the desktop link are on this computer and
// the folder's record is on the device.
#include "WizardFlowFixture.h"

#include "platform/core/Sleep.h"
#include "support/AclReadBack.h"
#include "support/SambaFixture.h"

#include <pwd.h>
#include <sys/stat.h>

using namespace wizardflow;
using platform::PageProperty;

namespace {

namespace fs = std::filesystem;

class NoWaits : public platform::ISleeper {
public:
    void Sleep(unsigned) override {}
};

class AddFlowTest : public WizardFlowTest {
protected:
    void SetUp() override
    {
        WizardFlowTest::SetUp();
        ASSERT_TRUE(samba.IsReady());
        ASSERT_TRUE(samba.StartServer());
        account = samba.AddAccount();
        ASSERT_FALSE(account.name.empty());
        device = &AddDevice(5);
        StartAgent();
        ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
    }

    // Welcome to UserCredentials with the device's address and the folder C:\Scans\Reports.
    void UpToTheCredentials()
    {
        host.Type(u"textbox-IPAddress", u"127.0.0.5");
        host.Click(u"ButtonNext");
        host.WaitForPage(u"SelectOp");
        host.Click(u"ButtonNext");
        host.WaitForPage(u"FolderName");
        host.Type(u"textbox-Location", u"C:\\Scans\\");
        host.Type(u"textbox-FolderName", u"Reports");
        host.Set(u"checkbox-Shortcut", PageProperty::Checked, u"checked");
        host.Click(u"ButtonNext");
        host.WaitForPage(u"UserCredentials");
    }

    // ScanOptions to Finish, with JPEG chosen.
    void FromTheScanOptionsToFinish()
    {
        host.WaitForPage(u"ScanOptions");
        host.Set(u"DocumentTypeSelection", PageProperty::SelectedIndex, u"3");
        host.Click(u"ButtonNext");
        host.WaitForPage(u"ConfirmAdd");
        host.Click(u"ButtonCreate");
        host.WaitForPage(u"Finish");
        host.Click(u"ButtonNext");
    }

    SambaFixture samba;
    SambaFixture::Account account;
    simdevice::SimulatedDevice* device = nullptr;
    CString computer;
    NoWaits noWaits;
    platform::ScopedService<platform::ISleeper> useNoWaits{noWaits};
};

} // namespace

TEST_F(AddFlowTest, FromWelcomeToFinishTheFolderIsSharedAndRegistered)
{
    UpToTheCredentials();
    host.Type(u"textbox-UserName", CString::FromUtf8(" " + account.name + " "));
    host.Type(u"textbox-Password", CString::FromUtf8(account.password));
    host.Click(u"ButtonNext");
    FromTheScanOptionsToFinish();
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Welcome", "SelectOp", "FolderName", "UserCredentials",
                                                           "ScanOptions", "ConfirmAdd", "Progress", "Finish"}));
    EXPECT_EQ(host.TimeOuts(), 0);
    EXPECT_TRUE(boxes.Shown().empty());

    // On this computer: the private folder with the account's entry, the share, the link.
    const std::string folder = platform::DriveCRoot() + "/Scans/Reports";
    passwd* entry = getpwnam(account.name.c_str());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(UserAclEntry(folder, entry->pw_uid), "rwx");
    EXPECT_EQ(UserAclEntry(folder, entry->pw_uid, ACL_TYPE_DEFAULT), "rwx");
    EXPECT_EQ(AclEntry(folder, ACL_OTHER), "---");
    const std::string scan = samba.Root() + "/page.pdf";
    std::ofstream(scan) << "%PDF-1.4 one page";
    auto put = samba.Client("Reports", account, "put " + scan + " page.pdf");
    EXPECT_EQ(put.exitCode, 0) << put.output;
    EXPECT_EQ(FileBytes(folder + "/page.pdf"), "%PDF-1.4 one page");
    EXPECT_TRUE(fs::exists(std::string(std::getenv("HOME")) + "/Desktop/Reports.desktop"));

    // On the device: the record with the share's network path, the account and the options.
    auto folders = device->Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].name, "Reports");
    EXPECT_EQ(folders[0].path, "\\\\" + computer.ToUtf8() + "\\Reports");
    EXPECT_EQ(folders[0].userName, account.name);
    EXPECT_EQ(folders[0].password, account.password);
    EXPECT_EQ(folders[0].authType, "DEFAULT_USER_CREDENTIALS");
    EXPECT_EQ(folders[0].fileFormat, "JPEG");
    EXPECT_FALSE(log->Contains(account.password));

    // The device scans into the new folder as the stored account.
    device->SetNameTable({{computer.ToUtf8(), "127.0.0.1"}});
    simdevice::ScanResult scanned = device->Scan({"Reports", "", "", ""});
    ASSERT_TRUE(scanned.ok) << scanned.status;
    EXPECT_EQ(scanned.fileName, "Scan_0001.jpg");
    struct stat info {};
    ASSERT_EQ(stat((folder + "/Scan_0001.jpg").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, entry->pw_uid);
    EXPECT_EQ(FileBytes(folder + "/Scan_0001.jpg").substr(0, 3), "\xFF\xD8\xFF");
}

TEST_F(AddFlowTest, AWrongPasswordKeepsTheCredentialsPageAndTheRightOneGoesOn)
{
    UpToTheCredentials();
    host.Type(u"textbox-UserName", CString::FromUtf8(account.name));
    host.Type(u"textbox-Password", u"not the password");
    host.Click(u"ButtonNext");
    host.WaitForPage(u"UserCredentials");
    host.Type(u"textbox-Password", CString::FromUtf8(account.password));
    host.Click(u"ButtonNext");
    FromTheScanOptionsToFinish();
    RunPage(state, PageId::Welcome);

    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Unknown user name or bad password.");
    EXPECT_EQ(host.PagesShown().back(), "Finish");
    EXPECT_EQ(device->Folders().size(), 1u);
    EXPECT_FALSE(log->Contains("not the password"));
    EXPECT_FALSE(log->Contains(account.password));

    // Had a wrong password been stored, the device's scan fails at its sign-in and writes nothing.
    simdevice::Folder stored = device->Folders()[0];
    stored.name = "Stale";
    stored.password = "not the password";
    device->AddFolder(stored);
    device->SetNameTable({{computer.ToUtf8(), "127.0.0.1"}});
    simdevice::ScanResult refused = device->Scan({"Stale", "", "", ""});
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.status, "NT_STATUS_LOGON_FAILURE");
    EXPECT_TRUE(fs::is_empty(platform::DriveCRoot() + "/Scans/Reports"));
}

TEST_F(AddFlowTest, WithoutStoringTheCredentialsTheDeviceAsksAtEachScan)
{
    UpToTheCredentials();
    boxes.Answer(platform::IDYES); // "Are you sure you want to sign in every time?"
    host.Click(u"checkbox-Status");
    host.Set(u"checkbox-Status", PageProperty::Checked, u"");
    host.Click(u"ButtonNext");
    FromTheScanOptionsToFinish();
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(host.PagesShown().back(), "Finish");
    auto folders = device->Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].authType, "MFP_USER_CREDENTIALS");
    EXPECT_EQ(folders[0].userName, "");
    EXPECT_EQ(folders[0].password, "");
    EXPECT_TRUE(state.userName.IsEmpty());
}
