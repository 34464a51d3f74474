// The credentials page with a recorded logon: its start, the save box and message 158, Next
// with an empty password (message 140), the names' blanks, a refused logon (message 134), the
// verification method of each system version and the local-account warning (message 150).
#include "CredentialsFixture.h"
#include "TestSecurityProvider.h"

#include "platform/fs/WinErrors.h"
#include "platform/ui/MessageBoxes.h"

using namespace credentialstest;
using platform::IDNO;
using platform::IDYES;
using platform::PageProperty;

namespace {

const std::vector<std::string> kStaysOnThePage = {"UserCredentials"};
const std::vector<std::string> kGoesOn = {"UserCredentials", "ScanOptions"};
const std::string kComputerNameLine = "CUserCredentialsDlg: GetComputerName() returned NetBIOSName=";

class CredentialsPageTest : public CredentialsTest {
protected:
    void SetUp() override
    {
        CredentialsTest::SetUp();
        UseScriptedVersion();
    }
    // Forgets the look-ups so far (the page start's of the running account).
    void ForgetLookUps()
    {
        host.Then([this](platform::MemoryPageWindow&) { accounts.lookedUp.clear(); });
    }

    RecordingLogon logon;
    platform::ScopedService<platform::ILogon> useLogon{logon};
    CountingAccounts accounts;
    platform::ScopedService<platform::IAccounts> useAccounts{accounts};
};

} // namespace

TEST_F(CredentialsPageTest, EachVisitStartsCheckedWithTheRunningAccountAndTheLastPassword)
{
    // Whatever the last visit chose, the box starts checked without asking.
    state.credentialsChecked = u"checked";
    state.domain = u"OLDDOMAIN";
    state.userName = u"someone";
    state.password = u"left as it was";
    Run(false);
    EXPECT_EQ(boxes.Shown().size(), 0u);
    EXPECT_EQ(state.domain, computer);
    EXPECT_EQ(state.userName, CString::FromUtf8(runningUser));
    EXPECT_EQ(state.credentialsChecked, u"checked");
    EXPECT_EQ(Prop(Page(), u"textbox-Domain", PageProperty::Value), computer.ToUtf8());
    EXPECT_EQ(Prop(Page(), u"textbox-UserName", PageProperty::Value), runningUser);
    EXPECT_EQ(Prop(Page(), u"textbox-Password", PageProperty::Value), "left as it was");
    EXPECT_EQ(Prop(Page(), u"checkbox-Status", PageProperty::Checked), "checked");
    ASSERT_FALSE(log->Lines().empty());
    EXPECT_EQ(log->Lines()[0], "Entering UserCredentials dialog.");
}

TEST_F(CredentialsPageTest, AnUnreadableRunningAccountLeavesTheNamesEmpty)
{
    accounts.runningAccountUnreadable = true;
    state.domain = u"OLDDOMAIN";
    state.userName = u"someone";
    Run(false);
    EXPECT_TRUE(log->HasLine("GetCurrentUserAndDomain() has failed.Unable to retrieve username and domain."));
    EXPECT_EQ(state.domain, u"");
    EXPECT_EQ(state.userName, u"");
    EXPECT_EQ(Prop(Page(), u"textbox-UserName", PageProperty::Value), "");
    EXPECT_EQ(Prop(Page(), u"checkbox-Status", PageProperty::Checked), "checked");
}

TEST_F(CredentialsPageTest, UncheckingAndAnsweringNoKeepsTheBoxCheckedAndTheStoredNames)
{
    host.Type(u"textbox-UserName", u"typed over");
    host.Set(u"checkbox-Status", PageProperty::Checked, u""); // the click unchecks the box
    host.Click(u"checkbox-Status");
    Run(false);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kSignInEveryTime);
    EXPECT_EQ(boxes.Shown()[0].caption, "Warning");
    EXPECT_EQ(boxes.Shown()[0].style, kYesNoDefaultNoStyle);
    EXPECT_EQ(state.credentialsChecked, u"checked");
    EXPECT_EQ(Prop(Page(), u"checkbox-Status", PageProperty::Checked), "checked");
    EXPECT_EQ(Prop(Page(), u"textbox-UserName", PageProperty::Value), runningUser);
}

TEST_F(CredentialsPageTest, UncheckingWithYesThenNextGoesOnWithoutAnyCredentials)
{
    state.saveCredentials = -1; // the last Next had the box checked
    boxes.Answer(IDYES);
    host.Set(u"checkbox-Status", PageProperty::Checked, u"");
    host.Click(u"checkbox-Status");
    host.Type(u"textbox-Domain", u"OFFICE");
    TypePassword(u"Pw-unsaved");
    host.Click(u"ButtonNext");
    Run(true);
    EXPECT_EQ(host.PagesShown(), kGoesOn);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kSignInEveryTime});
    EXPECT_EQ(Prop(Page(), u"checkbox-Status", PageProperty::Checked), "");
    EXPECT_EQ(state.saveCredentials, 0);
    EXPECT_EQ(state.credentialsChecked, u"");
    EXPECT_EQ(state.domain, u"");
    EXPECT_EQ(state.userName, u"");
    EXPECT_EQ(state.password, u"");
    EXPECT_TRUE(logon.calls.empty());
}

TEST_F(CredentialsPageTest, CheckingTheBoxAgainFillsTheRunningAccount)
{
    boxes.Answer(IDYES);
    host.Set(u"checkbox-Status", PageProperty::Checked, u"");
    host.Click(u"checkbox-Status");
    host.Type(u"textbox-UserName", u"typed over");
    host.Set(u"checkbox-Status", PageProperty::Checked, u"checked");
    host.Click(u"checkbox-Status");
    Run(false);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kSignInEveryTime}); // asked only when unchecking
    EXPECT_EQ(state.credentialsChecked, u"checked");
    EXPECT_EQ(Prop(Page(), u"checkbox-Status", PageProperty::Checked), "checked");
    EXPECT_EQ(Prop(Page(), u"textbox-UserName", PageProperty::Value), runningUser);
}

TEST_F(CredentialsPageTest, AnEmptyPasswordWithYesGoesOnUnverified)
{
    boxes.Answer(IDYES);
    Enter(computer, CString::FromUtf8(runningUser), u"");
    Run(true);
    EXPECT_EQ(host.PagesShown(), kGoesOn);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kNoPassword);
    EXPECT_EQ(boxes.Shown()[0].caption, "Warning");
    EXPECT_EQ(boxes.Shown()[0].style, kYesNoDefaultNoStyle);
    EXPECT_TRUE(logon.calls.empty());
    EXPECT_FALSE(LogHasLineStartingWith(kComputerNameLine));
    EXPECT_EQ(state.saveCredentials, -1);
    EXPECT_EQ(state.credentialsChecked, u"checked");
    EXPECT_EQ(state.userName, CString::FromUtf8(runningUser));
}

TEST_F(CredentialsPageTest, AnEmptyPasswordWithNoStaysWithTheFocusOnThePassword)
{
    boxes.Answer(IDNO);
    Enter(computer, CString::FromUtf8(runningUser), u"");
    Run(false);
    EXPECT_EQ(host.PagesShown(), kStaysOnThePage);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNoPassword});
    EXPECT_EQ(Page().focus, u"textbox-Password");
    EXPECT_TRUE(logon.calls.empty());
}

TEST_F(CredentialsPageTest, BlanksAroundTheNamesGoAndThePasswordKeepsItsOwn)
{
    Enter(u"  OFFICE ", u" anna.scan  ", u" pass word ");
    Run(true);
    EXPECT_EQ(host.PagesShown(), kGoesOn);
    ASSERT_EQ(logon.calls.size(), 1u);
    EXPECT_EQ(logon.calls[0].userName, u"anna.scan");
    EXPECT_EQ(logon.calls[0].domain, u"OFFICE");
    EXPECT_EQ(logon.calls[0].password, u" pass word ");
    EXPECT_EQ(logon.calls[0].logonType, platform::kLogonNetwork);
    EXPECT_EQ(logon.calls[0].provider, platform::kLogonProviderWinNT40);
    EXPECT_EQ(logon.released, 1);
    EXPECT_EQ(state.userName, u"anna.scan");
    EXPECT_EQ(state.domain, u"OFFICE");
    EXPECT_EQ(state.password, u" pass word ");
    EXPECT_EQ(state.saveCredentials, -1);
    // No such account here: the look-up fails and the page goes on.
    EXPECT_EQ(accounts.lookedUp.back(), "anna.scan");
    EXPECT_TRUE(log->HasLine("CUserCredentialsDlg: LookupAccountName(): No mapping between account names and "
                             "security IDs was done."));
    EXPECT_EQ(boxes.Shown().size(), 0u);
}

TEST_F(CredentialsPageTest, ARefusedLogonShowsItsErrorCodeAndStaysOnThePassword)
{
    logon.refuseWith = 1326; // a refusal that no fix mends
    Enter(computer, CString::FromUtf8(runningUser), u"Pw-refused");
    Run(false);
    EXPECT_EQ(host.PagesShown(), kStaysOnThePage);
    EXPECT_TRUE(log->HasLine("LogonUser() has failed with error code : 1326"));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kUnknownUser);
    EXPECT_EQ(boxes.Shown()[0].caption, "Error");
    EXPECT_EQ(boxes.Shown()[0].style, kErrorStyle);
    EXPECT_EQ(Page().focus, u"textbox-Password");
    EXPECT_EQ(Prop(Page(), u"ButtonNext", PageProperty::Disabled), "");
    EXPECT_FALSE(LogHasLineStartingWith(kComputerNameLine));
}

TEST_F(CredentialsPageTest, AVersionThatCannotBeReadStaysSilently)
{
    version.failing = true;
    Enter(computer, CString::FromUtf8(runningUser), u"Pw-silent");
    Run(false);
    EXPECT_EQ(version.asked, 1);
    EXPECT_EQ(host.PagesShown(), kStaysOnThePage);
    EXPECT_EQ(boxes.Shown().size(), 0u);
    EXPECT_TRUE(logon.calls.empty());
    EXPECT_EQ(Page().focus, u"");
}

// The verification method of each system version.
enum class Expected { None, SecuritySupport, Network };

struct VersionCase {
    const char* name;
    platform::OsVersion version;
    Expected method;
};
void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.name; }

class VersionTable : public CredentialsPageTest, public ::testing::WithParamInterface<VersionCase> {
protected:
    TestSecurityProvider provider;
};

TEST_P(VersionTable, ChoosesTheVerification)
{
    version.version = GetParam().version;
    Enter(computer, CString::FromUtf8(runningUser), provider.expectedPassword);
    Run(true);
    EXPECT_EQ(host.PagesShown(), kGoesOn);
    Expected method = GetParam().method;
    EXPECT_EQ(provider.loadedNames.size(), method == Expected::SecuritySupport ? 1u : 0u);
    if (method == Expected::SecuritySupport) {
        ASSERT_FALSE(provider.events.empty());
        EXPECT_EQ(provider.events.back(), "unload"); // the whole handshake ran
    }
    EXPECT_EQ(logon.calls.size(), method == Expected::Network ? 1u : 0u);
    // Only the network logon is followed by the local-account check.
    EXPECT_EQ(LogHasLineStartingWith(kComputerNameLine), method == Expected::Network);
}

constexpr int kNt = platform::kPlatformWin32Nt;

INSTANTIATE_TEST_SUITE_P(Credentials, VersionTable, ::testing::Values(
    VersionCase{"Nt3_51", {3, 51, 1057, kNt}, Expected::None},
    VersionCase{"Nt4_0", {4, 0, 1381, kNt}, Expected::None},
    VersionCase{"Nt4_90", {4, 90, 0, kNt}, Expected::None},
    VersionCase{"Nt5_0", {5, 0, 2195, kNt}, Expected::SecuritySupport},
    VersionCase{"Nt5_1", {5, 1, 2600, kNt}, Expected::Network},
    VersionCase{"Nt5_2", {5, 2, 3790, kNt}, Expected::Network},
    VersionCase{"Nt6_0", {6, 0, 6000, kNt}, Expected::Network},
    VersionCase{"Nt6_3", {6, 3, 9600, kNt}, Expected::Network},
    VersionCase{"Nt7_0", {7, 0, 0, kNt}, Expected::None},
    VersionCase{"Nt10_0", {10, 0, 19045, kNt}, Expected::None},
    VersionCase{"Nt7_1", {7, 1, 0, kNt}, Expected::Network},
    VersionCase{"Nt10_2", {10, 2, 0, kNt}, Expected::Network},
    VersionCase{"Windows98", {4, 10, 1998, platform::kPlatformWin32Windows}, Expected::None},
    VersionCase{"OtherFamily5_0", {5, 0, 0, platform::kPlatformWin32Windows}, Expected::None},
    VersionCase{"OtherFamily6_1", {6, 1, 0, platform::kPlatformWin32s}, Expected::None}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CredentialsPageTest, ThePlatformReportsAVersionOfTheNetworkLogon)
{
    platform::OsVersion reported;
    ASSERT_TRUE(platform::ISystemVersion::Default().GetVersion(reported));
    EXPECT_EQ(reported.platformId, platform::kPlatformWin32Nt);
    EXPECT_EQ(reported.majorVersion, 6);
    EXPECT_EQ(reported.minorVersion, 1);
}

// On 5.0: the handshake of the security-support interface.
class SecuritySupportPage : public CredentialsPageTest {
protected:
    void SetUp() override
    {
        CredentialsPageTest::SetUp();
        version.version = {5, 0, 2195, kNt};
    }
    void ExpectRefusedWith(const std::string& code)
    {
        EXPECT_EQ(host.PagesShown(), kStaysOnThePage);
        EXPECT_TRUE(log->HasLine("SSPLogonUser() has failed with error code : " + code));
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].text, kUnknownUser);
        EXPECT_EQ(boxes.Shown()[0].caption, "Error");
        EXPECT_EQ(boxes.Shown()[0].style, kErrorStyle);
        EXPECT_EQ(Page().focus, u"textbox-Password");
    }
};

TEST_F(SecuritySupportPage, AcceptedCredentialsGoOnWithoutTheLocalAccountCheck)
{
    TestSecurityProvider provider;
    // A local account of this name exists, yet no warning comes.
    Enter(u"OFFICE", CString::FromUtf8(runningUser), provider.expectedPassword);
    Run(true);
    EXPECT_EQ(host.PagesShown(), kGoesOn);
    EXPECT_EQ(provider.identity.user, CString::FromUtf8(runningUser).str());
    EXPECT_EQ(provider.identity.domain, u"OFFICE");
    EXPECT_EQ(boxes.Shown().size(), 0u);
    EXPECT_FALSE(LogHasLineStartingWith(kComputerNameLine));
    EXPECT_TRUE(logon.calls.empty());
}

TEST_F(SecuritySupportPage, AWrongPasswordIsRefused)
{
    TestSecurityProvider provider;
    ::testing::internal::CaptureStderr();
    Enter(u"OFFICE", u"anna", u"Pw-wrong");
    Run(false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "AcceptSecurityContext failed with 8009030C\n");
    ExpectRefusedWith("1326");
}

TEST_F(SecuritySupportPage, ThePlatformsMissingLibraryRefusesEveryAccount)
{
    Enter(u"OFFICE", u"anna", u"Pw-any");
    Run(false);
    ExpectRefusedWith("126");
}

// After a network logon: the warning of a local account that shadows the domain's.
TEST_F(CredentialsPageTest, TheComputersOwnDomainInAnyLetterCaseIsNeverLookedUp)
{
    CString lower = computer;
    for (int i = 0; i < lower.GetLength(); ++i)
        if (lower[i] >= u'A' && lower[i] <= u'Z')
            lower = lower.Left(i) + CString(1, static_cast<char16_t>(lower[i] - u'A' + u'a')) + lower.Mid(i + 1);
    ASSERT_NE(lower, computer);
    for (const CString& domain : {computer, lower, CString()}) {
        SCOPED_TRACE(domain.ToUtf8());
        ForgetLookUps();
        Enter(domain, CString::FromUtf8(runningUser), u"Pw-own");
        Run(true);
        EXPECT_TRUE(accounts.lookedUp.empty()) << ::testing::PrintToString(accounts.lookedUp);
    }
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"UserCredentials", "ScanOptions", "UserCredentials",
                                                           "ScanOptions", "UserCredentials", "ScanOptions"}));
    EXPECT_EQ(logon.calls.size(), 3u);
    EXPECT_TRUE(log->HasLine(kComputerNameLine + computer.ToUtf8()));
    EXPECT_FALSE(LogHasLineStartingWith("CUserCredentialsDlg: LookupAccountName("));
    EXPECT_EQ(boxes.Shown().size(), 0u);
}

struct ShadowCase {
    const char* name;
    int answer;
    bool goesOn;
};
void PrintTo(const ShadowCase& c, std::ostream* out) { *out << c.name; }

class LocalAccountShadows : public CredentialsPageTest, public ::testing::WithParamInterface<ShadowCase> {};

TEST_P(LocalAccountShadows, AsksWithKnownIssue2WhileNextIsDisabled)
{
    boxes.Answer(GetParam().answer);
    ForgetLookUps();
    Enter(u"OFFICE", CString::FromUtf8(runningUser), u"Pw-shadowed");
    Run(GetParam().goesOn);
    EXPECT_EQ(host.PagesShown(), GetParam().goesOn ? kGoesOn : kStaysOnThePage);
    EXPECT_EQ(accounts.lookedUp, std::vector<std::string>{runningUser});
    EXPECT_TRUE(log->HasLine(kComputerNameLine + computer.ToUtf8()));
    EXPECT_TRUE(log->HasLine("CUserCredentialsDlg: LookupAccountName(," + runningUser + ",,,,,) returned szRefDomain=" +
                             computer.ToUtf8()));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kLocalAccountShadows);
    EXPECT_EQ(boxes.Shown()[0].caption, "Warning");
    EXPECT_EQ(boxes.Shown()[0].style, kYesNoDefaultNoStyle);
    EXPECT_EQ(boxes.nextDisabledWhileShown, std::vector<std::string>{"disabled"});
    if (!GetParam().goesOn) {
        EXPECT_EQ(Prop(Page(), u"ButtonNext", PageProperty::Disabled), "");
        EXPECT_EQ(Page().focus, u"");
    }
}

INSTANTIATE_TEST_SUITE_P(Credentials, LocalAccountShadows,
                         ::testing::Values(ShadowCase{"NoStaysWithNextEnabledAgain", IDNO, false},
                                           ShadowCase{"YesGoesOn", IDYES, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A computer whose name cannot be read: the check is passed over.
class NoComputerName : public platform::ISystemInfo {
public:
    bool GetComputerName(CString& /*name*/) override
    {
        platform::SetLastError(platform::kErrorNotEnoughMemory);
        return false;
    }
    CString GetModuleFolder() override { return platform::ISystemInfo::Default().GetModuleFolder(); }
};

TEST_F(CredentialsPageTest, AComputerNameThatCannotBeReadPassesTheCheckOver)
{
    NoComputerName noName;
    platform::ScopedService<platform::ISystemInfo> useNoName(noName);
    ForgetLookUps();
    Enter(u"OFFICE", CString::FromUtf8(runningUser), u"Pw-noname");
    Run(true);
    EXPECT_EQ(host.PagesShown(), kGoesOn);
    EXPECT_TRUE(log->HasLine("CUserCredentialsDlg: GetComputerName(): Not enough memory resources are available to "
                             "process this command."));
    EXPECT_TRUE(accounts.lookedUp.empty());
    EXPECT_EQ(boxes.Shown().size(), 0u);
}
