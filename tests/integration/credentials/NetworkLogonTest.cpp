// The network logon against a private smbd on 127.0.0.1: the platform's logon and the
// credentials page with it (wrong and right passwords, guest sessions, another domain's name
// that a local account shadows).
#include "CredentialsFixture.h"

#include "support/SambaFixture.h"

#include "platform/core/SystemErrors.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/SambaConfig.h"
#include "platform/shares/SambaSettings.h"
#include "platform/ui/MessageBoxes.h"

using namespace credentialstest;
using platform::PageProperty;

namespace {

// testparm answers with the port given; every other program runs.
class PortFromTestparm : public platform::IProgramRunner {
public:
    explicit PortFromTestparm(std::string ports) : m_ports(std::move(ports)), m_use(*this)
    {
        platform::ForgetSambaSettings();
    }
    ~PortFromTestparm() override { platform::ForgetSambaSettings(); }
    platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                                platform::RunOptions options) override
    {
        if (arguments.at(0) != platform::kTestparmProgram)
            return platform::RunProgram(arguments, input, options);
        platform::ProgramResult result;
        result.started = true;
        result.exitCode = 0;
        result.output = "Load smb config files from x\nLoaded services file OK.\n\n[global]\n\tsmb ports = " + m_ports + "\n";
        return result;
    }

private:
    std::string m_ports;
    platform::ScopedService<platform::IProgramRunner> m_use;
};

class NetworkLogonTest : public CredentialsTest {
protected:
    void SetUp() override
    {
        CredentialsTest::SetUp();
        ASSERT_TRUE(samba.IsReady());
        account = samba.AddAccount();
        ASSERT_FALSE(account.name.empty());
        ASSERT_TRUE(samba.StartServer());
        typedPasswords.push_back(CString::FromUtf8(account.password));
    }

    // The platform's logon of the account into this computer's domain; the last error after it.
    bool Logon(const std::string& user, const std::string& password, int& error,
               int logonType = platform::kLogonNetwork)
    {
        platform::SetLastError(0);
        auto session = platform::ILogon::Default().LogonUser(CString::FromUtf8(user), computer,
                                                             CString::FromUtf8(password), logonType,
                                                             platform::kLogonProviderWinNT40);
        error = platform::GetLastError();
        return session != nullptr;
    }

    SambaFixture samba;
    SambaFixture::Account account;
};

} // namespace

TEST_F(NetworkLogonTest, ThePlatformsLogonChecksThePasswordWithTheServer)
{
    int error = 0;
    EXPECT_TRUE(Logon(account.name, account.password, error));
    EXPECT_FALSE(Logon(account.name, account.password + "x", error));
    EXPECT_EQ(error, platform::kErrorLogonFailure);
    EXPECT_FALSE(Logon(account.name, "", error)); // never an anonymous session instead
    EXPECT_EQ(error, platform::kErrorLogonFailure);
    // Debian's Samba gives a user name it has no Samba password for a guest session, whatever
    // the password: a misspelled name, and an account of this computer that never had one.
    EXPECT_FALSE(Logon("nosuch" + account.name, account.password, error));
    EXPECT_EQ(error, platform::kErrorNoSuchUser);
    SambaFixture::Account unixOnly = samba.AddAccount(false);
    ASSERT_FALSE(unixOnly.name.empty());
    EXPECT_FALSE(Logon(unixOnly.name, "any password", error));
    EXPECT_EQ(error, platform::kErrorNoSuchUser);
    // Only the network logon is made, through the default or the NT 4.0 provider.
    EXPECT_FALSE(Logon(account.name, account.password, error, 2));
    EXPECT_EQ(error, 87);
    auto& logon = platform::ILogon::Default();
    const CString name = CString::FromUtf8(account.name), password = CString::FromUtf8(account.password);
    EXPECT_EQ(logon.LogonUser(name, computer, password, platform::kLogonNetwork, 1), nullptr);
    EXPECT_EQ(platform::GetLastError(), 87);
    // Without a domain the server's own is meant.
    EXPECT_NE(logon.LogonUser(name, u"", password, platform::kLogonNetwork, platform::kLogonProviderDefault), nullptr);
}

TEST_F(NetworkLogonTest, AServerThatWantsSmb311AndEncryptionChecksThePasswordAsWell)
{
    // Such a server refuses a session to a client that offers no encryption.
    ASSERT_TRUE(samba.SetGlobal("server min protocol = SMB3_11"));
    ASSERT_TRUE(samba.SetGlobal("smb encrypt = required"));
    samba.StopServer();
    ASSERT_TRUE(samba.StartServer());
    int error = 0;
    EXPECT_TRUE(Logon(account.name, account.password, error)) << error;
    EXPECT_FALSE(Logon(account.name, account.password + "x", error));
    EXPECT_EQ(error, platform::kErrorLogonFailure);
}

TEST_F(NetworkLogonTest, TheServersPortComesFromTheSambaConfiguration)
{
    int error = 0;
    {
        PortFromTestparm nothingListens("1 445");
        EXPECT_FALSE(Logon(account.name, account.password, error));
        EXPECT_EQ(error, platform::kErrorNoLogonServers);
    }
    PortFromTestparm smbdsPort("445 139");
    EXPECT_TRUE(Logon(account.name, account.password, error));
}

TEST_F(NetworkLogonTest, AWrongPasswordShowsMessage134AndStaysOnThePassword)
{
    Enter(computer, CString::FromUtf8(account.name), CString::FromUtf8("Wrong-" + account.password));
    Run(false);
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"UserCredentials"});
    EXPECT_TRUE(log->HasLine("LogonUser() has failed with error code : 1326"));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kUnknownUser);
    EXPECT_EQ(boxes.Shown()[0].caption, "Error");
    EXPECT_EQ(boxes.Shown()[0].style, kErrorStyle);
    EXPECT_EQ(Page().focus, u"textbox-Password");
}

TEST_F(NetworkLogonTest, TheRightPasswordGoesOnWithTheNameWithoutBlanks)
{
    state.saveCredentials = 0;
    Enter(u" " + computer + u" ", CString::FromUtf8("  " + account.name + " "), CString::FromUtf8(account.password));
    Run(true);
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"UserCredentials", "ScanOptions"}));
    EXPECT_EQ(state.saveCredentials, -1);
    EXPECT_EQ(state.userName, CString::FromUtf8(account.name));
    EXPECT_EQ(state.domain, computer);
    EXPECT_EQ(state.password, CString::FromUtf8(account.password));
    EXPECT_TRUE(log->HasLine("CUserCredentialsDlg: GetComputerName() returned NetBIOSName=" + computer.ToUtf8()));
    EXPECT_FALSE(LogHasLineStartingWith("LogonUser()"));
    EXPECT_FALSE(LogHasLineStartingWith("CUserCredentialsDlg: LookupAccountName("));
    EXPECT_EQ(boxes.Shown().size(), 0u);
}

TEST_F(NetworkLogonTest, AnotherDomainsAccountThatALocalOneShadowsIsWarnedOf)
{
    // The server takes the account for its own whatever domain is named; this computer has it.
    boxes.Answer(platform::IDNO);
    Enter(u"OFFICE", CString::FromUtf8(account.name), CString::FromUtf8(account.password));
    Run(false);
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"UserCredentials"});
    EXPECT_FALSE(LogHasLineStartingWith("LogonUser()"));
    EXPECT_TRUE(log->HasLine("CUserCredentialsDlg: LookupAccountName(," + account.name + ",,,,,) returned szRefDomain=" +
                             computer.ToUtf8()));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kLocalAccountShadows});
    EXPECT_EQ(boxes.nextDisabledWhileShown, std::vector<std::string>{"disabled"});
    EXPECT_EQ(Prop(Page(), u"ButtonNext", PageProperty::Disabled), "");
}

TEST_F(NetworkLogonTest, AnAccountWithoutASambaPasswordIsOfferedOneWhichRootSetsAtOnce)
{
    // Debian's Samba would let it in as a guest, which can write nowhere.
    SambaFixture::Account unixOnly = samba.AddAccount(false);
    ASSERT_FALSE(unixOnly.name.empty());
    const std::string offer = "This computer's file-sharing service (Samba) has no password for the account " +
                              unixOnly.name + ", so the device cannot sign in with it.\n\nSet the Samba password of "
                              "this account to the password you entered?\nYou are asked for an administrator's "
                              "password once.";
    TypePassword(u"the password typed");
    Enter(computer, CString::FromUtf8(unixOnly.name), u"the password typed");
    Run(false); // declined: No is the default
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"UserCredentials"});
    EXPECT_TRUE(log->HasLine("LogonUser() has failed with error code : 1317"));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{offer});
    EXPECT_EQ(Page().focus, u"textbox-Password");

    // Accepted: this test runs as root, so the wizard sets it itself, and the logon then passes.
    boxes.Answer(platform::IDYES);
    Enter(computer, CString::FromUtf8(unixOnly.name), u"the password typed");
    Run(true);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{offer, offer}));
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"UserCredentials", "UserCredentials", "ScanOptions"}));
    EXPECT_TRUE(log->HasLine("ApplyFix(): done: set the Samba password of " + unixOnly.name));
    int error = 0;
    EXPECT_TRUE(Logon(unixOnly.name, "the password typed", error)) << error;
}
