// The exported functions as the wizard calls them, against a running smbd.
#include "ComputerTest.h"
#include "library/Quillet_Library.h"
#include "platform/core/SystemInfo.h"
#include "platform/shell/DesktopEntry.h"
#include "support/AclReadBack.h"

#include <pwd.h>

namespace fs = std::filesystem;

TEST_F(ComputerTest, TheAccountAloneWritesIntoTheConfiguredShareOverTheNetwork)
{
    ASSERT_TRUE(samba.StartServer());
    auto owner = samba.AddAccount();
    auto stranger = samba.AddAccount();
    ASSERT_FALSE(owner.name.empty());
    ASSERT_FALSE(stranger.name.empty());

    ASSERT_EQ(ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, CString::FromUtf8(owner.name)), BREDE_NO_ERROR);

    std::string folder = OnDriveC("Scans/Reports");
    passwd* entry = getpwnam(owner.name.c_str());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(UserAclEntry(folder, entry->pw_uid), "rwx");
    EXPECT_EQ(UserAclEntry(folder, entry->pw_uid, ACL_TYPE_DEFAULT), "rwx");
    // With smbd running, net names the account: "<workgroup or host>\<account>:F,".
    std::string acl = samba.ShareAcl("Reports");
    EXPECT_TRUE(acl.ends_with("\\" + owner.name + ":F,") && std::count(acl.begin(), acl.end(), ',') == 1) << acl;

    std::string scan = samba.Root() + "/scan.pdf";
    std::ofstream(scan) << "%PDF-1.4 scanned page";
    auto put = samba.Client("Reports", owner, "put " + scan + " scan1.pdf");
    EXPECT_EQ(put.exitCode, 0) << put.output;
    EXPECT_EQ(ReadText(folder + "/scan1.pdf"), "%PDF-1.4 scanned page");

    auto refused = samba.Client("Reports", stranger, "put " + scan + " scan2.pdf");
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.output.find("NT_STATUS_ACCESS_DENIED"), std::string::npos) << refused.output;
    EXPECT_FALSE(fs::exists(folder + "/scan2.pdf"));

    std::string link = ReadText(Desktop() + "/Reports.desktop");
    EXPECT_NE(link.find("\nType=Link\n"), std::string::npos) << link;
    EXPECT_NE(link.find("\nURL=" + platform::FileUrl(folder) + "\n"), std::string::npos) << link;
}

TEST_F(ComputerTest, TheUniquenessExportsReachTheLibrary)
{
    fs::create_directories(OnDriveC("Scans/Taken"));
    // Nothing listens at this address: the device test is passed over.
    const CString noDevice(u"127.0.0.1:1");
    EXPECT_EQ(IsFolderNameUnique(noDevice, u"C:\\Scans\\", u"Taken"), 0);
    EXPECT_EQ(IsFolderNameUnique(noDevice, u"C:\\Scans\\", u"Free"), 1);

    CString computer;
    ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
    CString name;
    EXPECT_EQ(GenerateUniqueFolderName(noDevice, u"C:\\Scans\\", u"Norvik Kelvane KV4250 MFP", name), 1);
    EXPECT_EQ(name, computer + u"_KV4250");
}
