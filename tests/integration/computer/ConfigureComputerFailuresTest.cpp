// ConfigureComputer when a step on this computer fails: the step's log line, BREDE_FAILED, and
// nothing left behind that no scan could reach. Rights, accounts and the shell fail on cue
// through the platform's services; everything else is real.
#include "ConfigureComputerFixture.h"
#include "platform/fs/WinErrors.h"
#include "platform/security/DirectoryRights.h"
#include "platform/shell/Shell.h"

#include <cerrno>
#include <optional>

namespace {

namespace fs = std::filesystem;

// Directory rights that fail at a chosen step; the rest is done for real.
class RightsThatFail : public platform::IDirectoryRights {
public:
    platform::AclResult GrantFullAccess(const CString& directory, const platform::Account& account) override
    {
        return fullAccess ? *fullAccess : m_real.GrantFullAccess(directory, account);
    }
    std::vector<platform::ParentChange> GrantSearchOnParents(const CString& directory, const platform::Account& account,
                                                             const platform::BeforeParentChange& before) override
    {
        return parents ? *parents : m_real.GrantSearchOnParents(directory, account, before);
    }
    int RevokeFullAccess(const CString& directory, const platform::Account& account) override
    {
        return m_real.RevokeFullAccess(directory, account);
    }
    int RevokeSearch(const platform::ParentChange& change, const platform::Account& account) override
    {
        if (parents) {
            revoked.push_back(change.path.ToUtf8());
            return 0;
        }
        return m_real.RevokeSearch(change, account);
    }

    std::optional<platform::AclResult> fullAccess;
    std::optional<std::vector<platform::ParentChange>> parents;
    std::vector<std::string> revoked; // the parents whose search right was taken back, while parents answers

private:
    platform::IDirectoryRights& m_real = platform::IDirectoryRights::Default();
    platform::ScopedService<platform::IDirectoryRights> m_use{*this};
};

// Accounts that know the running user's name or not, and find an account a given number of
// times before they stop finding it.
class AccountsThatFail : public platform::IAccounts {
public:
    int LookupAccountName(const CString& name, platform::Account& account) override
    {
        if (lookupsFound == 0)
            return 1332;
        --lookupsFound;
        return m_real.LookupAccountName(name, account);
    }
    CString LookupSambaSid(const platform::Account& account) override { return m_real.LookupSambaSid(account); }
    bool GetUserName(CString&) override { return false; }

    int lookupsFound = 0;

private:
    platform::IAccounts& m_real = platform::IAccounts::Default();
    platform::ScopedService<platform::IAccounts> m_use{*this};
};

// A shell whose desktop cannot be told, and that notes what it is asked to do.
class RecordingShell : public platform::IShell {
public:
    int GetDesktopDirectory(CString& path) override
    {
        if (!desktopKnown)
            return platform::kEFail;
        return m_real.GetDesktopDirectory(path);
    }
    int CreateLinkFile(const CString& target, const CString& description, const CString& linkPath) override
    {
        links.push_back(linkPath.ToUtf8());
        return m_real.CreateLinkFile(target, description, linkPath);
    }
    int RemoveLinkFile(const CString& target, const CString& description, const CString& linkPath) override
    {
        return m_real.RemoveLinkFile(target, description, linkPath);
    }
    void NotifyShareCreated(const CString& path) override { notified.push_back(path.ToUtf8()); }
    bool OpenTextFile(const CString&) override { return false; }

    bool desktopKnown = true;
    std::vector<std::string> links;
    std::vector<std::string> notified;

private:
    platform::IShell& m_real = platform::IShell::Default();
    platform::ScopedService<platform::IShell> m_use{*this};
};

class ConfigureComputerFailureTest : public ConfigureComputerTest {
protected:
    // The lines of a set-up of C:\Scans\Reports up to and including the folder's creation.
    static std::vector<std::string> Created()
    {
        std::vector<std::string> lines = Begin("C:\\Scans\\, Reports");
        lines.push_back("Created C:\\Scans\\Reports on local machine");
        return lines;
    }

    // Nothing of the set-up is left: no folder, no share, no shortcut, no search right on the
    // folder above drive C:, no record of the set-up.
    void ExpectNothingLeft()
    {
        EXPECT_FALSE(fs::exists(OnDriveC("Scans/Reports")));
        EXPECT_EQ(samba.ShareInfo("Reports"), "");
        EXPECT_FALSE(fs::exists(Desktop()));
        EXPECT_EQ(UserAclEntry(fs::path(platform::DriveCRoot()).parent_path(), uid), "");
        EXPECT_FALSE(fs::exists(SetupRecordPath(u"Reports")));
    }

    // The undo's line for the search right that SearchRightLine() gave.
    std::string SearchRightUndoneLine() const
    {
        return "CSharedFolder::UndoSetup(): Removed the search right for " + account.name + " on " +
               fs::path(platform::DriveCRoot()).parent_path().string();
    }
};

} // namespace

TEST_F(ConfigureComputerFailureTest, EachStepOfTheFoldersAclThatFailsIsNamedAndTheFolderRemoved)
{
    const std::pair<platform::AclStep, const char*> steps[] = {
        {platform::AclStep::Read, "GetNamedSecurityInfo()"},
        {platform::AclStep::Build, "SetEntriesInAcl()"},
        {platform::AclStep::Write, "SetNamedSecurityInfo()"},
    };
    for (const auto& [step, call] : steps) {
        RightsThatFail rights;
        rights.fullAccess = platform::AclResult{EPERM, step};
        LogCapture attempt;
        EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED) << call;
        std::vector<std::string> expected = Created();
        expected.insert(expected.end(), {
            std::string("SetDirPermissions(): ") + call + ": Operation not permitted",
            "Removed C:\\Scans\\Reports from local machine",
        });
        EXPECT_EQ(attempt.Lines(), expected);
        ExpectNothingLeft();
    }
}

TEST_F(ConfigureComputerFailureTest, AParentThatKeepsTheAccountOutFailsTheSetUp)
{
    RightsThatFail rights;
    rights.parents = std::vector<platform::ParentChange>{{u"/srv/open", 0}, {u"/srv", EROFS}};
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
    std::vector<std::string> expected = Created();
    expected.insert(expected.end(), {
        "SetDirPermissions(): Added the search right for " + account.name + " on /srv/open",
        "ERROR: SetDirPermissions(): Could not add the search right for " + account.name +
            " on /srv: Read-only file system",
        "CSharedFolder::UndoSetup(): Removed the search right for " + account.name + " on /srv/open",
        "Removed C:\\Scans\\Reports from local machine",
    });
    EXPECT_EQ(log.Lines(), expected);
    EXPECT_EQ(rights.revoked, std::vector<std::string>{"/srv/open"}); // the right that was given, alone
    ExpectNothingLeft();
}

TEST_F(ConfigureComputerFailureTest, AShareTakenOverThatCannotAdmitTheAccountStaysAsItWasAndTheFolderGoes)
{
    // A share of the folder left behind by an earlier set-up whose folder was removed since.
    const std::string folder = OnDriveC("Scans/Reports");
    fs::create_directories(folder);
    ASSERT_EQ(platform::IShares::Default().AddShare(u"Reports", CString::FromUtf8(folder)), 0);
    fs::remove(folder);
    SharesWithAnswers shares(samba);
    shares.accessAnswer = platform::kErrorAccessDenied;
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
    std::vector<std::string> expected = Created();
    expected.insert(expected.end(), {
        SearchRightLine(),
        "",
        "CSharedFolder::ShareWindowsFolder(): Sharename= Reports for C:\\Scans\\Reports",
        "CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_DuplicateShare",
        "ERROR: CSharedFolder::ShareWindowsFolder(): SetNamedSecurityInfo() returned 5",
        SearchRightUndoneLine(),
        "Removed C:\\Scans\\Reports from local machine",
    });
    EXPECT_EQ(log.Lines(), expected);
    EXPECT_EQ(shares.aclBeforeAccessSet, "S-1-1-0:D,"); // the share as it was found
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(ConfigureComputerFailureTest, AnAccountThatCannotBeFoundGetsNoFolderAndNoShare)
{
    {
        // Not found for the folder's entry.
        AccountsThatFail accounts;
        LogCapture attempt;
        EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
        std::vector<std::string> expected = Created();
        expected.insert(expected.end(), {
            "ERROR: SetDirPermissions(): LookupAccountName() returned 1332",
            "Removed C:\\Scans\\Reports from local machine",
        });
        EXPECT_EQ(attempt.Lines(), expected);
        ExpectNothingLeft();
    }
    {
        // Found for the folder, gone by the time the share is made: no share is made.
        AccountsThatFail accounts;
        accounts.lookupsFound = 1;
        LogCapture attempt;
        EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
        std::vector<std::string> expected = Created();
        expected.insert(expected.end(), {
            SearchRightLine(),
            "",
            "CSharedFolder::ShareWindowsFolder(): Sharename= Reports for C:\\Scans\\Reports",
            "ERROR: CSharedFolder::ShareWindowsFolder(): LookupAccountName() returned 1332",
            SearchRightUndoneLine(),
            "Removed C:\\Scans\\Reports from local machine",
        });
        EXPECT_EQ(attempt.Lines(), expected);
        ExpectNothingLeft(); // the right given to the account goes by its uid, as the record has it
    }
}

TEST_F(ConfigureComputerFailureTest, WithoutTheRunningUsersNameTheSetUpFails)
{
    AccountsThatFail accounts;
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, u""), BREDE_FAILED);
    std::vector<std::string> expected{"ERROR- CreateSharedDirectory(): GetUserName() failed."};
    for (const std::string& line : Created())
        expected.push_back(line);
    expected.insert(expected.end(), {
        "ERROR: SetDirPermissions(): LookupAccountName() returned 1332",
        "Removed C:\\Scans\\Reports from local machine",
    });
    EXPECT_EQ(log.Lines(), expected);
    ExpectNothingLeft();
}

TEST_F(ConfigureComputerFailureTest, TheShellHearsOfTheShareAndTheLinkPathIsCutToTheShortLimit)
{
    RecordingShell shell;
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_NO_ERROR);
    EXPECT_EQ(shell.notified, std::vector<std::string>{"C:\\Scans\\Reports"});
    EXPECT_EQ(shell.links, std::vector<std::string>{Desktop() + "/Reports.desktop"});

    // A link path is saved under its first 259 characters.
    const std::string longLink = Desktop() + "/" + std::string(300, 'L') + ".desktop";
    EXPECT_EQ(CreateShortcut(u"C:\\Scans\\Reports", u"Reports", CString::FromUtf8(longLink)), platform::kSOk);
    ASSERT_EQ(shell.links.size(), 2u);
    EXPECT_EQ(shell.links[1], longLink.substr(0, 259));
    EXPECT_TRUE(fs::exists(longLink.substr(0, 259)));
}

TEST_F(ConfigureComputerFailureTest, AnUnknownDesktopGivesTheSharedDesktopOfOldWindows)
{
    RecordingShell shell;
    shell.desktopKnown = false;
    EXPECT_EQ(GetShortcutPath(u"Reports"), CString(u"C:\\Documents and Settings\\All Users\\Desktop\\Reports.desktop"));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"ERROR- GetShortcutPath(): Returned -2147467259"});
}

TEST_F(ConfigureComputerFailureTest, SambasRefusalsComeWithTheirFix)
{
    // Usershares switched off: nothing is made at all.
    ASSERT_TRUE(samba.SetGlobal("usershare max shares = 0"));
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{
        "", "CSharedFolder::CreateSharedDirectory( C:\\Scans\\, Reports)",
        "ERROR: CSharedFolder::CreateSharedDirectory(): No share can be made for " + account.name +
            ": NetShareGetInfo() returned 50"}));
    EXPECT_EQ(cSharedFolder.m_csFailureDetail.ToUtf8(),
              "usershares are switched off in the Samba configuration (usershare max shares = 0)\nFix: switch "
              "usershares on: add \"usershare max "
              "shares = 100\" to [global] in " + samba.ConfigPath() + ", then run: sudo systemctl restart smbd");
    EXPECT_FALSE(fs::exists(OnDriveC("Scans/Reports")));

    // The most shares reached: the folder made for the share goes again.
    ASSERT_TRUE(samba.SetGlobal("usershare max shares = 1"));
    fs::create_directories(OnDriveC("Other"));
    ASSERT_EQ(platform::IShares::Default().AddShare(u"Other", u"C:\\Other"), 0);
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
    EXPECT_EQ(cSharedFolder.m_csFailureDetail.ToUtf8(),
              "net usershare add: maximum number of allowed usershares (1) reached\nFix: remove a share that is no "
              "longer needed (net usershare list, then net usershare delete NAME), or raise \"usershare max shares\" "
              "in [global] of " + samba.ConfigPath());
    ExpectNothingLeft();
    // A set-up that works says nothing more.
    ASSERT_TRUE(samba.SetGlobal("usershare max shares = 100"));
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, user), BREDE_NO_ERROR);
    EXPECT_EQ(cSharedFolder.m_csFailureDetail, u"");
}

TEST_F(ConfigureComputerFailureTest, AFailureAtAnyStepLeavesNothingBehindAndTheRecordSaysWhatWasMade)
{
    const std::string records = std::string(std::getenv("XDG_STATE_HOME")) + "/tarrow/shares";
    {
        // No record can be written: nothing is made at all.
        fs::create_directories(fs::path(records).parent_path());
        std::ofstream(records) << "in the way";
        EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
        EXPECT_TRUE(log.HasLine("ERROR: CSharedFolder::CreateSharedDirectory(): The set-up record " + records +
                                " cannot be written: Not a directory"));
        EXPECT_NE(cSharedFolder.m_csFailureDetail.ToUtf8().find("Fix: make ~/.local/state/tarrow"), std::string::npos);
        ExpectNothingLeft();
        fs::remove(records);
    }
    {
        // The share cannot be made after the folder, its entries and the parent's right.
        SharesWithAnswers shares(samba);
        shares.addAnswer = platform::kErrorGenFailure;
        LogCapture attempt;
        EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
        EXPECT_TRUE(attempt.HasLine(SearchRightUndoneLine()));
        EXPECT_TRUE(attempt.HasLine("Removed C:\\Scans\\Reports from local machine"));
        ExpectNothingLeft();
    }
    // A set-up that works leaves its record, private to the user, naming what it made.
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_NO_ERROR);
    struct stat info {};
    ASSERT_EQ(stat(SetupRecordPath(u"reports").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    SetupRecord record;
    ASSERT_TRUE(LoadSetupRecord(u"REPORTS", record));
    EXPECT_EQ(record.folder, CString(u"C:\\Scans\\Reports"));
    EXPECT_EQ(record.account, user);
    EXPECT_TRUE(record.folderMade && record.folderEntries && record.shareMade && !record.registered);
    ASSERT_EQ(record.parents.size(), 1u);
    EXPECT_EQ(record.parents[0].path.ToUtf8(), fs::path(platform::DriveCRoot()).parent_path().string());
    EXPECT_EQ(record.link.ToUtf8(), Desktop() + "/Reports.desktop");
    // The device refused it: UndoComputerSetup takes all of it away again.
    EXPECT_EQ(cSharedFolder.UndoComputerSetup(u"Reports"), BREDE_NO_ERROR);
    EXPECT_TRUE(log.HasLine("CSharedFolder::UndoSetup(): Removed the desktop link " + Desktop() + "/Reports.desktop"));
    EXPECT_TRUE(log.HasLine("CSharedFolder::UndoSetup(): Removed share Reports"));
    EXPECT_FALSE(fs::exists(Desktop() + "/Reports.desktop"));
    EXPECT_FALSE(fs::exists(OnDriveC("Scans/Reports")));
    EXPECT_EQ(samba.ShareInfo("Reports"), "");
    EXPECT_EQ(UserAclEntry(fs::path(platform::DriveCRoot()).parent_path(), uid), "");
    EXPECT_FALSE(fs::exists(SetupRecordPath(u"Reports")));
}
