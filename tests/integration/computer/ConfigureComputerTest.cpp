// ConfigureComputer against real Samba and real ACLs: what it makes, and the names and shares
// for which it makes nothing.
#include "ConfigureComputerFixture.h"
#include "platform/fs/WinErrors.h"
#include "platform/shell/DesktopEntry.h"
#include "platform/shell/Shell.h"

namespace {

namespace fs = std::filesystem;

} // namespace

TEST_F(ConfigureComputerTest, MakesAPrivateFolderSharedForTheAccountWithAShortcut)
{
    SharesWithAnswers shares(samba);
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_NO_ERROR);

    EXPECT_EQ(cSharedFolder.m_csFullPath, CString(u"C:\\Scans\\Reports"));
    EXPECT_EQ(cSharedFolder.m_csShareName, CString(u"Reports"));
    std::string folder = OnDriveC("Scans/Reports");
    EXPECT_EQ(UserAclEntry(folder, uid), "rwx");
    EXPECT_EQ(UserAclEntry(folder, uid, ACL_TYPE_DEFAULT), "rwx");
    // Scans are private: others get nothing, now or in what is made in the folder.
    EXPECT_EQ(AclEntry(folder, ACL_USER_OBJ), "rwx");
    EXPECT_EQ(AclEntry(folder, ACL_GROUP_OBJ), "---");
    EXPECT_EQ(AclEntry(folder, ACL_OTHER), "---");
    EXPECT_EQ(AclEntry(folder, ACL_OTHER, ACL_TYPE_DEFAULT), "---");

    // Made open to the account alone, by the SID that every logon of the account carries; no
    // second step changes it.
    EXPECT_EQ(samba.ShareAcl("Reports"), "S-1-22-1-" + std::to_string(uid) + ":F,");
    EXPECT_EQ(shares.aclBeforeAccessSet, "");

    std::string link = Desktop() + "/Reports.desktop";
    EXPECT_NE(ReadText(link).find("\nURL=" + platform::FileUrl(folder) + "\n"), std::string::npos) << ReadText(link);

    std::vector<std::string> expected = Begin("C:\\Scans\\, Reports");
    expected.insert(expected.end(), {
        "Created C:\\Scans\\Reports on local machine",
        SearchRightLine(),
        "",
        "CSharedFolder::ShareWindowsFolder(): Sharename= Reports for C:\\Scans\\Reports",
        "CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_Success",
        "Shared folder C:\\Scans\\Reports on local machine",
        "CreateShortcut( C:\\Scans\\\\Reports, Reports, " + link + ")",
    });
    EXPECT_EQ(log.Lines(), expected);
}

TEST_F(ConfigureComputerTest, TrailingBlanksAndDotsNameTheFolderThatExistsEverywhere)
{
    // Blanks around the whole name are trimmed for the folder and the share, not for the shortcut.
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"  C:\\Scans  ", u" Reports ", 1, user), BREDE_NO_ERROR);
    EXPECT_EQ(cSharedFolder.m_csBaseDirectory, CString(u"C:\\Scans\\"));
    EXPECT_EQ(cSharedFolder.m_csShareName, CString(u"Reports"));
    EXPECT_TRUE(log.HasLine("CreateShortcut(   C:\\Scans  \\ Reports ,  Reports , " + Desktop() + "/ Reports .desktop)"));

    // A trailing blank or dot is no part of the folder's name, as Windows' full-path step has it.
    const std::tuple<const char16_t*, const char*, std::string> cases[] = {
        {u"Trail ", "Trail", "/Trail .desktop"},
        {u"Dots..", "Dots", "/Dots...desktop"},
    };
    for (const auto& [name, made, linkName] : cases) {
        ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\T", name, 1, user), BREDE_NO_ERROR) << made;
        std::string folder = OnDriveC(std::string("T/") + made);
        EXPECT_EQ(cSharedFolder.m_csFullPath, CString::FromUtf8(std::string("C:\\T\\") + made));
        EXPECT_EQ(fs::directory_iterator(OnDriveC("T"))->path(), fs::path(folder)) << "one folder, named " << made;
        EXPECT_NE(samba.ShareInfo(CString(name).Trim().ToUtf8()).find("\npath=" + folder + "\n"), std::string::npos);
        EXPECT_EQ(UserAclEntry(folder, uid), "rwx");
        EXPECT_NE(ReadText(Desktop() + linkName).find("\nURL=" + platform::FileUrl(folder) + "\n"), std::string::npos)
            << ReadText(Desktop() + linkName);
        fs::rename(folder, OnDriveC("done-" + std::string(made)));
    }
}

TEST_F(ConfigureComputerTest, ANameThatIsNoSingleFolderOrThatSambaRefusesMakesNothing)
{
    const CString names[] = {
        u"..\\..\\Escaped", u"a/b", CString(std::u16string(u"abc\0def", 7)), u"tab\there", u"50%Scans", u"a:b",
        u"IPC$", u"ipc$", u"ADMIN$", u"Global", u"homes", u"printers", u"PRINT$", u".", u"..", u"...", u" . ", u"",
        CString(81, u'n'),
    };
    for (const CString& name : names) {
        LogCapture attempt;
        EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans", name, 1, user), BREDE_FAILED) << name.ToUtf8();
        std::string shown = EscapeForLog(name).ToUtf8();
        std::vector<std::string> expected = Begin("C:\\Scans, " + shown);
        CString trimmed = name;
        expected.push_back("ERROR: CSharedFolder::CreateSharedDirectory(): Folder name " + EscapeForLog(trimmed.Trim()).ToUtf8() +
                           " is not valid: ERROR_INVALID_NAME (123)");
        EXPECT_EQ(attempt.Lines(), expected) << shown;
    }
    // Not a folder, not a share, not a shortcut.
    EXPECT_FALSE(fs::exists(OnDriveC("Scans")));
    EXPECT_FALSE(fs::exists(fs::path(platform::DriveCRoot()).parent_path() / "Escaped"));
    EXPECT_FALSE(fs::exists(Desktop()));
    EXPECT_EQ(samba.ShareInfo("*"), "");
    // The longest name Samba takes is still a name.
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans", CString(80, u'n'), 0, user), BREDE_NO_ERROR);
}

TEST_F(ConfigureComputerTest, AnEmptyBaseDirectoryFailsWithPathNotFound)
{
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"  ", u"Reports", 1, user), BREDE_FAILED);
    EXPECT_EQ(cSharedFolder.m_csBaseDirectory, CString(u"\\"));
    std::vector<std::string> expected = Begin("  , Reports");
    expected.push_back("ERROR: CSharedFolder::CreateSharedDirectory(): SHCreateDirectoryEx() returned 3");
    EXPECT_EQ(log.Lines(), expected);
    EXPECT_FALSE(fs::exists("/Reports"));
    EXPECT_EQ(samba.ShareInfo("Reports"), "");
}

TEST_F(ConfigureComputerTest, ASecondCallForTheSameFolderFailsBeforeSharing)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_NO_ERROR);
    LogCapture second;
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 1, user), BREDE_FAILED);
    std::vector<std::string> expected = Begin("C:\\Scans\\, Reports");
    expected.push_back("ERROR: CSharedFolder::CreateSharedDirectory(): SHCreateDirectoryEx() returned 183");
    EXPECT_EQ(second.Lines(), expected);
}

TEST_F(ConfigureComputerTest, AnotherFoldersShareIsLeftAsItIsAndTheCallFails)
{
    // Another user's share, named in another case: Samba takes both names for one share.
    auto owner = samba.AddAccount(false);
    ASSERT_FALSE(owner.name.empty());
    std::string theirs = samba.Root() + "/Theirs";
    fs::create_directories(theirs);
    ASSERT_TRUE(samba.AddShareAs(owner, "\u00c4RGER", theirs));
    std::string before = samba.ShareInfo("\u00c4RGER");

    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"\u00e4rger", 1, user), BREDE_FAILED);
    EXPECT_EQ(samba.ShareInfo("\u00c4RGER"), before);
    EXPECT_NE(before.find("\npath=" + theirs + "\n"), std::string::npos) << before;
    EXPECT_FALSE(fs::exists(OnDriveC("Scans/\u00e4rger")));
    EXPECT_FALSE(fs::exists(Desktop()));
    std::vector<std::string> expected = Begin("C:\\Scans\\, \u00e4rger");
    expected.insert(expected.end(), {
        "Created C:\\Scans\\\u00e4rger on local machine",
        SearchRightLine(),
        "",
        "CSharedFolder::ShareWindowsFolder(): Sharename= \u00e4rger for C:\\Scans\\\u00e4rger",
        "CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_DuplicateShare",
        "ERROR: CSharedFolder::ShareWindowsFolder(): Share \u00e4rger serves another folder and is left as it is",
        "CSharedFolder::UndoSetup(): Removed the search right for " + account.name + " on " +
            fs::path(platform::DriveCRoot()).parent_path().string(),
        "Removed C:\\Scans\\\u00e4rger from local machine",
    });
    EXPECT_EQ(log.Lines(), expected);

    // A share whose folder cannot be told counts as another folder's.
    SharesWithAnswers shares(samba);
    shares.addAnswer = platform::kNerrDuplicateShare;
    shares.pathAnswer = platform::kErrorGenFailure;
    LogCapture unknown;
    EXPECT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, user), BREDE_FAILED);
    EXPECT_TRUE(unknown.HasLine("ERROR: CSharedFolder::ShareWindowsFolder(): Share Reports serves another folder and is left as it is"));
    EXPECT_FALSE(fs::exists(OnDriveC("Scans/Reports")));
}

TEST_F(ConfigureComputerTest, AShareOfThisVeryFolderGetsTheAccountsEntryAlone)
{
    // Left behind by an earlier set-up whose folder was deleted since.
    fs::create_directories(OnDriveC("Scans/Reports"));
    ASSERT_EQ(platform::IShares::Default().AddShare(u"reports", u"C:\\Scans\\Reports"), 0);
    fs::remove(OnDriveC("Scans/Reports"));

    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, user), BREDE_NO_ERROR);
    EXPECT_TRUE(log.HasLine("CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_DuplicateShare"));
    EXPECT_TRUE(log.HasLine("Shared folder C:\\Scans\\Reports on local machine"));
    EXPECT_EQ(samba.ShareAcl("reports"), "S-1-22-1-" + std::to_string(uid) + ":F,");
}

TEST_F(ConfigureComputerTest, AnEmptyUserNameMeansTheUserRunningTheProgram)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, u""), BREDE_NO_ERROR);
    EXPECT_EQ(UserAclEntry(OnDriveC("Scans/Reports"), geteuid()), "rwx");
    // root has no Samba password here: Samba knows it by its Unix-user SID.
    EXPECT_EQ(samba.ShareAcl("Reports"), "S-1-22-1-" + std::to_string(geteuid()) + ":F,");
}

TEST_F(ConfigureComputerTest, WithoutTheFlagNoShortcutIsMade)
{
    ASSERT_EQ(cSharedFolder.ConfigureComputer(u"C:\\Scans\\", u"Reports", 0, user), BREDE_NO_ERROR);
    EXPECT_FALSE(fs::exists(Desktop()));
    EXPECT_FALSE(log.Contains("CreateShortcut("));
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

TEST_F(ConfigureComputerTest, AShortcutToAFolderThatExistsIsMade)
{
    fs::create_directories(OnDriveC("Scans/Here"));
    fs::create_directories(Desktop());
    std::string link = Desktop() + "/Here.desktop";
    EXPECT_EQ(CreateShortcut(u"C:\\Scans\\Here", u"Here", CString::FromUtf8(link)), 0);  // S_OK
    EXPECT_NE(ReadText(link).find("\nURL=" + platform::FileUrl(OnDriveC("Scans/Here")) + "\n"), std::string::npos);
}

TEST_F(ConfigureComputerTest, ATargetThatCannotBeExpandedMakesNoShortcut)
{
    std::string link = Desktop() + "/Nowhere.desktop";
    EXPECT_EQ(CreateShortcut(u"D:\\Scans\\Nowhere", u"Nowhere", CString::FromUtf8(link)), platform::kEFail);
    EXPECT_TRUE(log.HasLine("ERROR: CreateShortcut()- GetFullPathName() returned0"));
    EXPECT_FALSE(fs::exists(link));
}
