// The platform's shares and accounts against a real, private Samba configuration.
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/core/Paths.h"
#include "platform/fs/WinErrors.h"
#include "platform/security/Accounts.h"
#include "platform/shares/Shares.h"
#include "support/SambaFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

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

    SambaFixture samba;
    IShares& shares = IShares::Default();
    std::string folder = platform::DriveCRoot() + "/Scans/Reports";
    std::string other = platform::DriveCRoot() + "/Other";
};

} // namespace

TEST_F(SambaSharesTest, ANewShareAdmitsNoOneAndADuplicateIsLeftAlone)
{
    EXPECT_EQ(shares.GetShareInfo(u"Reports"), platform::kNerrNetNameNotFound);
    ASSERT_EQ(shares.AddShare(u"Reports", u"C:\\Scans\\Reports"), 0);
    EXPECT_EQ(AclOf("Reports"), "S-1-1-0:D,");
    EXPECT_NE(samba.ShareInfo("Reports").find("guest_ok=n"), std::string::npos);
    EXPECT_EQ(shares.GetShareInfo(u"REPORTS"), 0);

    // `net usershare add` would silently point the share elsewhere.
    EXPECT_EQ(shares.AddShare(u"reports", CString::FromUtf8(other)), platform::kNerrDuplicateShare);
    EXPECT_NE(samba.ShareInfo("Reports").find("path=" + folder + "\n"), std::string::npos);
}

TEST_F(SambaSharesTest, SharesOfTheConfigurationFileCountAndPatternsMatchNothing)
{
    std::ofstream(samba.ConfigPath(), std::ios::app) << "[Fixed]\n  path = " << other << "\n";
    EXPECT_EQ(shares.GetShareInfo(u"fixed"), 0);
    EXPECT_EQ(shares.AddShare(u"Fixed", CString::FromUtf8(folder)), platform::kNerrDuplicateShare);
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
}

TEST_F(SambaSharesTest, SwitchedOffUsersharesAreNotSupported)
{
    std::ofstream(samba.ConfigPath(), std::ios::app) << "  usershare max shares = 0\n";
    EXPECT_EQ(shares.AddShare(u"Reports", CString::FromUtf8(folder)), platform::kErrorNotSupported);
}

TEST_F(SambaSharesTest, TheAccessListIsReplacedByTheAccountsEntryAlone)
{
    ASSERT_EQ(shares.AddShare(u"Reports", CString::FromUtf8(folder)), 0);
    ASSERT_EQ(shares.SetShareAccess(u"reports", u"S-1-22-1-4242"), 0);
    EXPECT_EQ(AclOf("Reports"), "S-1-22-1-4242:F,");
    ASSERT_EQ(shares.SetShareAccess(u"Reports", u"S-1-22-1-4343"), 0);
    EXPECT_EQ(AclOf("Reports"), "S-1-22-1-4343:F,");
    EXPECT_NE(samba.ShareInfo("Reports").find("path=" + folder + "\n"), std::string::npos);

    EXPECT_EQ(shares.SetShareAccess(u"Nowhere", u"S-1-22-1-4242"), platform::kNerrNetNameNotFound);
}

TEST_F(SambaSharesTest, AccountsAreFoundByNameAndGetTheirSambaSid)
{
    auto withPassword = samba.AddAccount();
    auto unixOnly = samba.AddAccount(false);
    ASSERT_FALSE(withPassword.name.empty());
    ASSERT_FALSE(unixOnly.name.empty());
    auto& accounts = platform::IAccounts::Default();

    platform::Account account;
    ASSERT_EQ(accounts.LookupAccountName(CString::FromUtf8(withPassword.name), account), 0);
    EXPECT_EQ(account.name, CString::FromUtf8(withPassword.name));
    CString computer;
    ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
    EXPECT_EQ(account.domain, computer);
    EXPECT_EQ(accounts.LookupSambaSid(account).Left(9), CString(u"S-1-5-21-"));

    ASSERT_EQ(accounts.LookupAccountName(CString::FromUtf8(unixOnly.name), account), 0);
    EXPECT_EQ(accounts.LookupSambaSid(account), CString::FromUtf8("S-1-22-1-" + std::to_string(account.uid)));

    EXPECT_EQ(accounts.LookupAccountName(computer + u"\\" + CString::FromUtf8(unixOnly.name), account), 0);
    EXPECT_EQ(accounts.LookupAccountName(CString::FromUtf8(".\\" + unixOnly.name), account), 0);
    EXPECT_EQ(accounts.LookupAccountName(CString::FromUtf8("ELSEWHERE\\" + unixOnly.name), account),
              platform::kErrorNoneMapped);
    EXPECT_EQ(accounts.LookupAccountName(u"no-such-account-here", account), platform::kErrorNoneMapped);
    EXPECT_EQ(accounts.LookupAccountName(u"", account), platform::kErrorNoneMapped);
}
