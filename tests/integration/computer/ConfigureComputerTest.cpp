#include "ComputerTest.h"
#include "library/service/CSharedFolder.h"
#include "platform/core/Services.h"
#include "platform/security/DirectoryRights.h"
#include "platform/shell/DesktopEntry.h"
#include "platform/shell/Shell.h"
#include "support/AclReadBack.h"

#include <pwd.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

uid_t UidOf(const std::string& name)
{
    passwd* entry = getpwnam(name.c_str());
    return entry ? entry->pw_uid : static_cast<uid_t>(-1);
}

class ConfigureComputerTest : public ComputerTest {
protected:
    void SetUp() override
    {
        ComputerTest::SetUp();
        account = samba.AddAccount();
        ASSERT_FALSE(account.name.empty());
        user = CString::FromUtf8(account.name);
    }

    SambaFixture::Account account;
    CString user;
};

} // namespace

TEST_F(ConfigureComputerTest, MakesTheFolderSharedForTheAccountWithAShortcut)
{
    SharesWithAnswers shares(samba);
    platform::ScopedService<platform::IShares> watch(shares);
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_NO_ERROR);

    EXPECT_EQ(cSharedFolder.m_csFullPath, CString(u"C:\\Scans\\Reports"));
    EXPECT_EQ(cSharedFolder.m_csShareName, CString(u"Reports"));
    std::string folder = OnDriveC("Scans/Reports");
    uid_t uid = UidOf(account.name);
    EXPECT_EQ(UserAclEntry(folder, uid), "rwx");
    EXPECT_EQ(UserAclEntry(folder, uid, ACL_TYPE_DEFAULT), "rwx");

    // Closed to everyone from the start; afterwards open to the account alone.
    EXPECT_EQ(shares.aclBeforeAccessSet, "S-1-1-0:D,");
    std::string acl = samba.ShareAcl("Reports");
    EXPECT_EQ(std::count(acl.begin(), acl.end(), ','), 1) << acl;
    EXPECT_TRUE(acl.rfind("S-1-5-21-", 0) == 0 && acl.ends_with(":F,")) << acl;

    std::string link = Desktop() + "/Reports.desktop";
    EXPECT_NE(ReadText(link).find("\nURL=" + platform::FileUrl(folder) + "\n"), std::string::npos) << ReadText(link);

    // The test runner's folder above drive C: is closed to others (mktemp -d).
    std::string closedParent = fs::path(platform::DriveCRoot()).parent_path().string();
    std::vector<std::string> expected{
        "",
        "CSharedFolder::CreateSharedDirectory( C:\\Scans\\, Reports)",
        "Created C:\\Scans\\Reports on local machine",
        "SetDirPermissions(): Added the search right for " + account.name + " on " + closedParent,
        "",
        "CSharedFolder::ShareWindowsFolder(): Sharename= Reports for C:\\Scans\\Reports",
        "CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_Success",
        "Shared folder C:\\Scans\\Reports on local machine",
        "CreateShortcut( C:\\Scans\\\\Reports, Reports, " + link + ")",
    };
    EXPECT_EQ(log.Lines(), expected);
}

TEST_F(ConfigureComputerTest, BlanksAroundTheNameStayOnlyInTheShortcut)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"  C:\\Scans  ", u" Reports ", 1, user), BREDE_NO_ERROR);
    EXPECT_EQ(cSharedFolder.m_csBaseDirectory, CString(u"C:\\Scans\\"));
    EXPECT_EQ(cSharedFolder.m_csFullPath, CString(u"C:\\Scans\\Reports"));
    EXPECT_EQ(cSharedFolder.m_csShareName, CString(u"Reports"));
    EXPECT_NE(samba.ShareAcl("Reports"), "");
    EXPECT_TRUE(log.HasLine("CreateShortcut(   C:\\Scans  \\ Reports ,  Reports , " + Desktop() + "/ Reports .desktop)"));
}

TEST_F(ConfigureComputerTest, AnEmptyBaseDirectoryMeansTheRoot)
{
    std::string name = "tarrow-root-test-" + std::to_string(getpid());
    struct Remove {
        std::string path;
        ~Remove() { std::error_code ignored; fs::remove_all(path, ignored); }
    } remove{"/" + name};
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"", CString::FromUtf8(name), 0, user), BREDE_NO_ERROR);
    EXPECT_EQ(cSharedFolder.m_csBaseDirectory, CString(u"\\"));
    EXPECT_EQ(cSharedFolder.m_csFullPath, CString::FromUtf8("\\" + name));
    EXPECT_TRUE(fs::is_directory("/" + name));
}

TEST_F(ConfigureComputerTest, ASecondCallForTheSameFolderFailsBeforeSharing)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_NO_ERROR);
    LogCapture second;
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
    std::vector<std::string> expected{
        "",
        "CSharedFolder::CreateSharedDirectory( C:\\Scans\\, Reports)",
        "ERROR: CSharedFolder::CreateSharedDirectory(): SHCreateDirectoryEx() returned 183",
    };
    EXPECT_EQ(second.Lines(), expected);
}

TEST_F(ConfigureComputerTest, AnExistingShareOfTheNameGetsTheAccountsEntryAlone)
{
    fs::create_directories(OnDriveC("Elsewhere"));
    ASSERT_EQ(platform::RunProgram({"net", "-s", samba.ConfigPath(), "usershare", "add", "Reports",
                                    OnDriveC("Elsewhere"), "", "S-1-1-0:r", "guest_ok=n"}).exitCode, 0);
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, user), BREDE_NO_ERROR);
    EXPECT_TRUE(log.HasLine("CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_DuplicateShare"));
    std::string acl = samba.ShareAcl("Reports");
    EXPECT_TRUE(acl.rfind("S-1-5-21-", 0) == 0 && std::count(acl.begin(), acl.end(), ',') == 1) << acl;
    EXPECT_NE(samba.ShareInfo("Reports").find("path=" + OnDriveC("Elsewhere") + "\n"), std::string::npos);
}

TEST_F(ConfigureComputerTest, AnEmptyUserNameMeansTheUserRunningTheProgram)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, u""), BREDE_NO_ERROR);
    EXPECT_EQ(UserAclEntry(OnDriveC("Scans/Reports"), geteuid()), "rwx");
    // root has no Samba password here: Samba knows it by its Unix-user SID.
    EXPECT_EQ(samba.ShareAcl("Reports"), "S-1-22-1-" + std::to_string(geteuid()) + ":F,");
}

TEST_F(ConfigureComputerTest, AnUnknownAccountLeavesTheShareClosed)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, u"no-such-account"), BREDE_NO_ERROR);
    EXPECT_TRUE(fs::is_directory(OnDriveC("Scans/Reports")));
    EXPECT_EQ(samba.ShareAcl("Reports"), "S-1-1-0:D,");
    EXPECT_TRUE(log.HasLine("ERROR: CSharedFolder::ShareWindowsFolder(): LookupAccountName() returned 1332"));
    EXPECT_TRUE(log.HasLine("Shared folder C:\\Scans\\Reports on local machine"));
}

TEST_F(ConfigureComputerTest, WithoutTheFlagNoShortcutIsMade)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, user), BREDE_NO_ERROR);
    EXPECT_FALSE(fs::exists(Desktop() + "/Reports.desktop"));
    EXPECT_FALSE(log.Contains("CreateShortcut("));
}

TEST_F(ConfigureComputerTest, AShareThatCannotBeMadeFailsTheCall)
{
    // Usershares switched off: Samba refuses every new share.
    std::ofstream(samba.ConfigPath(), std::ios::app) << "  usershare max shares = 0\n";
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
    EXPECT_TRUE(log.HasLine("ERROR: CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned 50"));
    EXPECT_FALSE(log.Contains("Shared folder"));
    EXPECT_FALSE(log.Contains("CreateShortcut("));
}

TEST_F(ConfigureComputerTest, AFolderRightThatCannotBeReadIsLogged)
{
    struct FailingRights : platform::IDirectoryRights {
        platform::AclResult GrantFullAccess(const CString&, const platform::Account&) override
        {
            return {EOPNOTSUPP, platform::AclStep::Read};
        }
        std::vector<platform::ParentChange> GrantSearchOnParents(const CString&, const platform::Account&) override
        {
            ADD_FAILURE() << "parents changed after the folder's own entry failed";
            return {};
        }
    } rights;
    platform::ScopedService<platform::IDirectoryRights> failing(rights);
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, user), BREDE_NO_ERROR);
    EXPECT_TRUE(log.HasLine("SetDirPermissions(): GetNamedSecurityInfo(): Operation not supported"));
}

TEST_F(ConfigureComputerTest, ATargetLongerThanTheShortBufferStillGetsItsShortcut)
{
    CString base = u"C:";
    for (int level = 0; level < 5; ++level)
        base += u"\\" + CString(60, static_cast<char16_t>(u'a' + level));
    ASSERT_EQ(cSharedFolder.ConfigureComputer(base, u"Reports", 1, user), BREDE_NO_ERROR);
    std::string full = *platform::ToPosixPath(base + u"\\Reports");
    ASSERT_GT(full.size(), 260u);
    EXPECT_NE(ReadText(Desktop() + "/Reports.desktop").find("\nURL=" + platform::FileUrl(full) + "\n"), std::string::npos);
}

TEST_F(ConfigureComputerTest, ATargetThatCannotBeExpandedMakesNoShortcut)
{
    std::string link = Desktop() + "/Nowhere.desktop";
    EXPECT_EQ(CreateShortcut(u"D:\\Scans\\Nowhere", u"Nowhere", CString::FromUtf8(link)), platform::kEFail);
    EXPECT_TRUE(log.HasLine("ERROR: CreateShortcut()- GetFullPathName() returned0"));
    EXPECT_FALSE(fs::exists(link));
}
