// The platform's shares and accounts against a real, private Samba configuration.
#include "ComputerTest.h"
#include "platform/core/SystemInfo.h"
#include "platform/fs/WinErrors.h"
#include "platform/security/Accounts.h"
#include "platform/shares/SambaConfig.h"
#include "platform/shares/SambaSettings.h"
#include "support/PrivateHostName.h"
#include "support/WaitFor.h"

#include <atomic>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::IShares;

class SambaSharesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(samba.IsReady());
        fs::create_directories(folder);
        fs::create_directories(other);
    }

    std::string AclOf(const std::string& share) { return samba.ShareAcl(share); }
    std::string PathOf(const CString& share)
    {
        CString path(u"left over");
        int result = shares.GetSharePath(share, path);
        return result == 0 ? path.ToUtf8() : "error " + std::to_string(result);
    }

    SambaFixture samba;
    IShares& shares = IShares::Default();
    std::string folder = platform::DriveCRoot() + "/Scans/Reports";
    std::string other = platform::DriveCRoot() + "/Other";
};

} // namespace

TEST_F(SambaSharesTest, ANewShareAdmitsNoOneAndADuplicateIsLeftAlone)
{
    EXPECT_EQ(shares.GetShareInfo(u"Reports"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(PathOf(u"Reports"), "error 2310");
    ASSERT_EQ(shares.AddShare(u"Reports", u"C:\\Scans\\Reports. "), 0);
    EXPECT_EQ(AclOf("Reports"), "S-1-1-0:D,");
    EXPECT_NE(samba.ShareInfo("Reports").find("guest_ok=n"), std::string::npos);
    EXPECT_EQ(shares.GetShareInfo(u"REPORTS"), 0);
    EXPECT_EQ(PathOf(u"reports"), folder);

    // `net usershare add` would silently point the share elsewhere.
    EXPECT_EQ(shares.AddShare(u"reports", CString::FromUtf8(other)), platform::kNerrDuplicateShare);
    EXPECT_EQ(PathOf(u"Reports"), folder);
}

TEST_F(SambaSharesTest, AnotherUsersShareCountsAndNamesCompareOverAllOfUnicode)
{
    // The other user's folder lies where that user may go.
    auto owner = samba.AddAccount(false);
    ASSERT_FALSE(owner.name.empty());
    std::string theirs = samba.Root() + "/Theirs";
    fs::create_directories(theirs);
    ASSERT_TRUE(samba.AddShareAs(owner, "\u00c4RGER", theirs));

    EXPECT_EQ(shares.GetShareInfo(u"\u00e4rger"), 0);
    EXPECT_EQ(PathOf(u"\u00e4rger"), theirs);
    EXPECT_EQ(shares.AddShare(u"\u00e4rger", CString::FromUtf8(folder)), platform::kNerrDuplicateShare);
    EXPECT_EQ(PathOf(u"\u00c4RGER"), theirs);
    EXPECT_EQ(AclOf("\u00c4RGER"), "S-1-1-0:R,");
    // One letter short is another name.
    EXPECT_EQ(shares.GetShareInfo(u"\u00e4rge"), platform::kNerrNetNameNotFound);
}

TEST_F(SambaSharesTest, SharesOfTheConfigurationCountAreNeverChangedAndPatternsMatchNothing)
{
    std::ofstream(samba.ConfigPath(), std::ios::app) << "[\u00d6L]\n  path = " << other << "\n";
    EXPECT_EQ(shares.GetShareInfo(u"\u00f6l"), 0);
    EXPECT_EQ(PathOf(u"\u00f6l"), other);
    EXPECT_EQ(shares.AddShare(u"\u00f6L", CString::FromUtf8(folder)), platform::kNerrDuplicateShare);
    EXPECT_EQ(shares.SetShareAccess(u"\u00d6L", u"S-1-22-1-4242"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(shares.DeleteShare(u"\u00d6L"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(PathOf(u"\u00f6l"), other);
    EXPECT_EQ(shares.GetShareInfo(u"global"), platform::kNerrNetNameNotFound);

    ASSERT_EQ(shares.AddShare(u"Reports", CString::FromUtf8(folder)), 0);
    EXPECT_EQ(shares.GetShareInfo(u"Rep*"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(shares.GetShareInfo(u"Report"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(shares.GetShareInfo(u""), platform::kNerrNetNameNotFound);
}

TEST_F(SambaSharesTest, FailuresToShareAreToldApart)
{
    EXPECT_EQ(shares.AddShare(u"Bad/Name", CString::FromUtf8(folder)), platform::kErrorInvalidName);
    EXPECT_EQ(shares.AddShare(u"Missing", u"C:\\Missing"), platform::kNerrUnknownDevDir);
    std::ofstream(other + "/file") << "x";
    EXPECT_EQ(shares.AddShare(u"NotADirectory", CString::FromUtf8(other + "/file")), platform::kNerrUnknownDevDir);
    // A name that starts like an option is a name.
    EXPECT_EQ(shares.AddShare(u"-dash", CString::FromUtf8(folder)), 0);
    EXPECT_EQ(shares.GetShareInfo(u"-dash"), 0);
    EXPECT_EQ(shares.DeleteShare(u"-DASH"), 0);
    EXPECT_EQ(shares.GetShareInfo(u"-dash"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(shares.DeleteShare(u"-dash"), platform::kNerrNetNameNotFound);

    EXPECT_EQ(shares.LastRefusal(), u"");

    // Usershares switched off: the reason is said.
    ASSERT_TRUE(samba.SetGlobal("usershare max shares = 0"));
    EXPECT_EQ(shares.AddShare(u"Reports", CString::FromUtf8(folder)), platform::kErrorNotSupported);
    EXPECT_EQ(shares.LastRefusal(), u"usershares are switched off in the Samba configuration (usershare max shares = 0)");
    EXPECT_EQ(shares.GetShareInfo(u"Reports"), platform::kErrorNotSupported);
}

// A name that Samba cannot hold is never handed to net, whatever a listing holds.
TEST_F(SambaSharesTest, ANameSambaCannotHoldIsNeverChanged)
{
    ScriptedPrograms programs;
    programs.results[platform::kNetProgram] = {true, false, 0, "[Bad/Name]\npath=" + folder + "\n"};
    EXPECT_EQ(shares.SetShareAccess(u"Bad/Name", u"S-1-22-1-4242"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(shares.DeleteShare(u"Bad/Name"), platform::kNerrNetNameNotFound);
    EXPECT_EQ(shares.GetShareInfo(u"Bad/Name"), platform::kNerrNetNameNotFound);
}

TEST_F(SambaSharesTest, EachMessageOfTheToolGivesItsNumber)
{
    const std::pair<platform::ProgramResult, int> cases[] = {
        {Refused("net usershare add: cannot open /x: Permission denied"), platform::kErrorAccessDenied},
        {Refused("You do not have permission to create a usershare"), platform::kErrorAccessDenied},
        {Refused("net usershare: usershares are currently disabled"), platform::kErrorNotSupported},
        {Refused("net usershare add: maximum number of allowed usershares (1) reached"), platform::kErrorNotSupported},
        {Refused("net usershare add: cannot create tmp file /u/:tmpQmBkn1"), platform::kErrorAccessDenied},
        {Refused("net usershare add: share name anna is already a valid system user name"),
         platform::kNerrDuplicateShare},
        {Refused("share name x contains invalid characters"), platform::kErrorInvalidName},
        {Refused("cannot stat path /x"), platform::kNerrUnknownDevDir},
        {Refused("path /x is not a directory"), platform::kNerrUnknownDevDir},
        {Refused("failed to add share"), platform::kErrorGenFailure},
        {NotStarted(), platform::kErrorGenFailure},
        {TimedOut(), platform::kErrorGenFailure},
        // What a tool wrote before it was killed is no answer.
        {platform::ProgramResult{true, true, -1, "cannot stat path /x"}, platform::kErrorGenFailure},
    };
    ASSERT_EQ(shares.AddShare(u"Reports", CString::FromUtf8(folder)), 0);
    ScriptedPrograms programs;
    for (const auto& [run, expected] : cases) {
        programs.results[platform::kNetProgram] = run;
        EXPECT_EQ(shares.AddShare(u"Other", CString::FromUtf8(other)), expected) << run.output;
        EXPECT_EQ(shares.SetShareAccess(u"Reports", u"S-1-22-1-4242"), expected) << run.output;
        EXPECT_EQ(shares.DeleteShare(u"Reports"), expected) << run.output;
    }
    // Nothing runs net to ask about a share: Samba's folder is read.
    EXPECT_EQ(shares.GetShareInfo(u"Reports"), 0);
    // testparm that cannot answer leaves the question open.
    programs.results.erase(platform::kNetProgram);
    for (const auto& run : {NotStarted(), TimedOut()}) {
        programs.results[platform::kTestparmProgram] = run;
        platform::ForgetSambaSettings();
        EXPECT_EQ(shares.GetShareInfo(u"Reports"), platform::kErrorGenFailure);
        EXPECT_EQ(shares.AddShare(u"Reports", CString::FromUtf8(folder)), platform::kErrorGenFailure);
    }
}

TEST_F(SambaSharesTest, SettingsReadAheadAreTheOnesTheNextQuestionGets)
{
    class CountingRunner : public platform::IProgramRunner {
    public:
        platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                                    platform::RunOptions options) override
        {
            testparmRuns += arguments.at(0) == platform::kTestparmProgram;
            return platform::IProgramRunner::Default().Run(arguments, input, options);
        }
        std::atomic<int> testparmRuns = 0;
    } runner;
    platform::ScopedService<platform::IProgramRunner> use(runner);
    for (int round = 1; round <= 2; ++round) {
        platform::ForgetSambaSettings();
        platform::PrefetchSambaSettings();
        EXPECT_TRUE(WaitFor([&] { return runner.testparmRuns == round; })); // read before it is asked for
        EXPECT_TRUE(platform::CurrentSambaSettings().Global("usershare path").has_value());
        EXPECT_EQ(runner.testparmRuns, round); // and not once more
    }
}

TEST_F(SambaSharesTest, TheAccessListIsReplacedByTheAccountsEntryAlone)
{
    ASSERT_EQ(shares.AddShare(u"Reports", CString::FromUtf8(folder)), 0);
    ASSERT_EQ(shares.SetShareAccess(u"reports", u"S-1-22-1-4242"), 0);
    EXPECT_EQ(AclOf("Reports"), "S-1-22-1-4242:F,");
    ASSERT_EQ(shares.SetShareAccess(u"Reports", u"S-1-22-1-4343"), 0);
    EXPECT_EQ(AclOf("Reports"), "S-1-22-1-4343:F,");
    EXPECT_EQ(PathOf(u"Reports"), folder);

    EXPECT_EQ(shares.SetShareAccess(u"Nowhere", u"S-1-22-1-4242"), platform::kNerrNetNameNotFound);
}

TEST_F(SambaSharesTest, AccountsAreFoundByNameAndGetTheirSambaSid)
{
    ASSERT_TRUE(UsePrivateHostName("scan-pc.example.org"));
    auto withPassword = samba.AddAccount();
    auto unixOnly = samba.AddAccount(false);
    ASSERT_FALSE(withPassword.name.empty());
    ASSERT_FALSE(unixOnly.name.empty());
    auto& accounts = platform::IAccounts::Default();

    platform::Account account;
    ASSERT_EQ(accounts.LookupAccountName(CString::FromUtf8(withPassword.name), account), 0);
    EXPECT_EQ(account.name, CString::FromUtf8(withPassword.name));
    EXPECT_EQ(account.domain, CString(u"SCAN-PC"));
    EXPECT_EQ(accounts.LookupSambaSid(account).Left(9), CString(u"S-1-5-21-"));

    ASSERT_EQ(accounts.LookupAccountName(CString::FromUtf8(unixOnly.name), account), 0);
    EXPECT_EQ(accounts.LookupSambaSid(account), CString::FromUtf8("S-1-22-1-" + std::to_string(account.uid)));

    EXPECT_EQ(accounts.LookupAccountName(CString::FromUtf8("scan-pc\\" + unixOnly.name), account), 0);
    EXPECT_EQ(accounts.LookupAccountName(CString::FromUtf8(".\\" + unixOnly.name), account), 0);
    EXPECT_EQ(accounts.LookupAccountName(CString::FromUtf8("ELSEWHERE\\" + unixOnly.name), account),
              platform::kErrorNoneMapped);
    EXPECT_EQ(accounts.LookupAccountName(u"no-such-account-here", account), platform::kErrorNoneMapped);
    EXPECT_EQ(accounts.LookupAccountName(u"", account), platform::kErrorNoneMapped);
    EXPECT_EQ(accounts.LookupAccountName(u"SCAN-PC\\", account), platform::kErrorNoneMapped);

    // pdbedit that does not answer: the account is known by its Unix-user SID.
    ScriptedPrograms programs;
    programs.results[platform::kPdbeditProgram] = TimedOut();
    ASSERT_EQ(accounts.LookupAccountName(CString::FromUtf8(withPassword.name), account), 0);
    EXPECT_EQ(accounts.LookupSambaSid(account), CString::FromUtf8("S-1-22-1-" + std::to_string(account.uid)));
}

namespace {

class NamelessComputer : public platform::ISystemInfo {
public:
    bool GetComputerName(CString&) override { return false; }
    CString GetModuleFolder() override { return u"/"; }
};

} // namespace

TEST_F(SambaSharesTest, TheRunningUserIsNamedAndAComputerWithoutNameOwnsNoDomain)
{
    auto& accounts = platform::IAccounts::Default();
    CString name;
    ASSERT_TRUE(accounts.GetUserName(name));
    EXPECT_EQ(name, CString::FromUtf8(getpwuid(geteuid())->pw_name));
    // A process whose user has no entry in the account database has no name.
    ASSERT_EQ(getpwuid(54321), nullptr);
    pid_t child = fork();
    if (child == 0) {
        CString unnamed(u"left");
        _exit(setuid(54321) == 0 && !accounts.GetUserName(unnamed) && unnamed == CString(u"left") ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    // Without a computer name only "." names this computer.
    NamelessComputer nameless;
    platform::ScopedService<platform::ISystemInfo> use(nameless);
    platform::Account account;
    EXPECT_EQ(accounts.LookupAccountName(u"SCAN-PC\\" + name, account), platform::kErrorNoneMapped);
    ASSERT_EQ(accounts.LookupAccountName(u".\\" + name, account), 0);
    EXPECT_EQ(account.name, name);
    EXPECT_EQ(account.domain, CString());
}
