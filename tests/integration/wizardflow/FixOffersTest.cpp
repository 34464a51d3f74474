// The fixes the wizard offers: a logon that Samba refuses for want of a Samba password or of a
// running server, on the credentials page, and an account that may not share, on the Error page.
// The fix helper's run through pkexec is recorded, not run.
#include "WizardFlowFixture.h"

#include "platform/core/LastError.h"
#include "platform/core/RunProgram.h"
#include "platform/core/SystemErrors.h"
#include "platform/security/Accounts.h"
#include "platform/security/Logon.h"
#include "platform/ui/MessageBoxes.h"

#include <deque>

using namespace wizardflow;
using platform::PageProperty;

namespace {

const std::string kPkexec = "/usr/bin/pkexec";
const std::string kHelper = "/usr/libexec/tarrow/tarrow-fix-helper";
const std::string kTyped = "Pw typed 1";
const std::string kOfferPassword =
    "This computer's file-sharing service (Samba) has no password for the account anna, so the device cannot sign "
    "in with it.\n\nSet the Samba password of this account to the password you entered?\nYou are asked for an "
    "administrator's password once.";
const std::string kOfferServer =
    "This computer's file-sharing service (Samba) is not running, so the device cannot deliver scans and the "
    "password cannot be checked.\n\nStart the file-sharing service?\nYou are asked for an administrator's password "
    "once.";

// Refuses with the errors given, one per logon, then accepts.
class ScriptedLogon : public platform::ILogon {
public:
    std::unique_ptr<platform::ILogonSession> LogonUser(const CString&, const CString&, const CString& password, int,
                                                       int) override
    {
        passwords.push_back(password.ToUtf8());
        if (refusals.empty())
            return std::make_unique<platform::ILogonSession>();
        platform::SetLastError(refusals.front());
        refusals.pop_front();
        return nullptr;
    }
    std::deque<int> refusals;
    std::vector<std::string> passwords;
};

// The desktop account anna (uid 1000) runs the wizard.
class AnnasAccounts : public platform::IAccounts {
public:
    int LookupAccountName(const CString& name, platform::Account& account) override
    {
        if (name != u"anna")
            return 1332;
        account = {u"anna", 1000, 1000, u"SCANPC"};
        return 0;
    }
    CString LookupSambaSid(const platform::Account&) override { return u"S-1-22-1-1000"; }
    bool GetUserName(CString& name) override
    {
        name = u"anna";
        return true;
    }
};

// pkexec as it answers: the helper's last line and its exit status, one per run.
class RecordedPkexec : public platform::IProgramRunner {
public:
    struct Call {
        std::vector<std::string> arguments;
        std::string input;
    };
    platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                                platform::RunOptions) override
    {
        runs.push_back({arguments, input});
        platform::ProgramResult result;
        result.started = true;
        result.exitCode = exitCode;
        result.output = said + "\n";
        return result;
    }
    std::vector<Call> runs;
    int exitCode = 0;
    std::string said = "done";
};

class FixOffersTest : public WizardFlowTest {
protected:
    void EnterAnna()
    {
        host.Type(u"textbox-Domain", u"");
        host.Type(u"textbox-UserName", u"anna");
        host.Type(u"textbox-Password", CString::FromUtf8(kTyped));
        host.Click(u"ButtonNext");
    }
    void RunCredentials(bool goesOn)
    {
        if (goesOn)
            host.WaitForPage(u"ScanOptions");
        host.PressEscape();
        RunPage(state, PageId::UserCredentials);
        EXPECT_EQ(host.TimeOuts(), 0);
        EXPECT_FALSE(log->Contains(kTyped));
    }
    void WaitForBoxes(std::size_t count)
    {
        host.WaitUntil([this, count](platform::MemoryPageWindow&) { return boxes.Shown().size() == count; });
    }
    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.Shown())
            texts.push_back(box.text);
        return texts;
    }

    ScriptedLogon logon;
    platform::ScopedService<platform::ILogon> useLogon{logon};
    AnnasAccounts accounts;
    platform::ScopedService<platform::IAccounts> useAccounts{accounts};
    RecordedPkexec pkexec;
    platform::ScopedService<platform::IProgramRunner> usePkexec{pkexec};
};

} // namespace

TEST_F(FixOffersTest, NoSambaPasswordAcceptedSetsTheTypedOneThroughPkexecAndTheLogonGoesOn)
{
    logon.refusals = {platform::kErrorNoSuchUser};
    boxes.Answer(platform::IDYES);
    EnterAnna();
    RunCredentials(true);
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"UserCredentials", "ScanOptions"}));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kOfferPassword);
    EXPECT_EQ(boxes.Shown()[0].caption, "Warning");
    ASSERT_EQ(pkexec.runs.size(), 1u);
    // The password goes on the helper's standard input, never into its arguments.
    EXPECT_EQ(pkexec.runs[0].arguments, (std::vector<std::string>{kPkexec, kHelper, "set-samba-password", "anna"}));
    EXPECT_EQ(pkexec.runs[0].input, kTyped + "\n");
    EXPECT_EQ(logon.passwords, (std::vector<std::string>{kTyped, kTyped}));
    EXPECT_TRUE(log->HasLine("LogonUser() has failed with error code : 1317"));
}

TEST_F(FixOffersTest, AnOfferDeclinedOrCancelledAtTheAuthenticationStaysOnThePassword)
{
    logon.refusals = {platform::kErrorNoSuchUser};
    boxes.Answer(platform::IDNO);
    EnterAnna();
    RunCredentials(false);
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"UserCredentials"});
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kOfferPassword});
    EXPECT_EQ(host.Windows().at(0)->focus, u"textbox-Password");
    EXPECT_TRUE(pkexec.runs.empty());
    EXPECT_EQ(logon.passwords.size(), 1u);

    // Accepted, but the authentication dialog was dismissed: said so, and the logon is not tried again.
    logon.refusals = {platform::kErrorNoSuchUser};
    pkexec.exitCode = 126;
    boxes.Answer(platform::IDYES);
    EnterAnna();
    WaitForBoxes(3);
    RunCredentials(false);
    EXPECT_EQ(BoxTexts().back(), "The change could not be made:\nthe administrator's authentication was cancelled or "
                                 "refused; nothing was changed");
    EXPECT_EQ(boxes.Shown().back().caption, "Error");
    EXPECT_EQ(logon.passwords.size(), 2u);
    EXPECT_EQ(Prop(*host.Windows().at(1), u"ButtonNext", PageProperty::Disabled), "");
    EXPECT_EQ(host.Windows().at(1)->focus, u"textbox-Password");

    // A misspelt name gets a guest session too: no account here, no offer, the plain refusal.
    logon.refusals = {platform::kErrorNoSuchUser};
    host.Type(u"textbox-UserName", u"anan");
    host.Click(u"ButtonNext");
    RunCredentials(false);
    EXPECT_EQ(BoxTexts().back(), "Unknown user name or bad password.");
    EXPECT_EQ(pkexec.runs.size(), 1u); // the cancelled one alone
}

TEST_F(FixOffersTest, AServerStartedThenAPasswordSetEachOnceThenTheSameCauseIsRefused)
{
    // Not reached, started; then no Samba password, set; the logon goes on.
    logon.refusals = {platform::kErrorNoLogonServers, platform::kErrorNoSuchUser};
    boxes.Answer(platform::IDYES);
    boxes.Answer(platform::IDYES);
    EnterAnna();
    RunCredentials(true);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kOfferServer, kOfferPassword}));
    ASSERT_EQ(pkexec.runs.size(), 2u);
    EXPECT_EQ(pkexec.runs[0].arguments, (std::vector<std::string>{kPkexec, kHelper, "start-samba"}));
    EXPECT_EQ(pkexec.runs[0].input, "");
    EXPECT_EQ(pkexec.runs[1].arguments, (std::vector<std::string>{kPkexec, kHelper, "set-samba-password", "anna"}));
    EXPECT_EQ(logon.passwords.size(), 3u);

    // A server still not reached after its start is not offered again for the same Next.
    logon.refusals = {platform::kErrorNoLogonServers, platform::kErrorNoLogonServers};
    boxes.Answer(platform::IDYES);
    EnterAnna();
    WaitForBoxes(4);
    RunCredentials(false);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kOfferServer, kOfferPassword, kOfferServer,
                                                     "Unknown user name or bad password."}));
    EXPECT_EQ(pkexec.runs.size(), 3u);
}

TEST_F(FixOffersTest, TheErrorPageAllowsTheAccountToShareFromItsNextLogin)
{
    state.sharingNotAllowed = true;
    pkexec.exitCode = 1;
    pkexec.said = "/usr/bin/gpasswd did not add anna to group sambashare: timed out";
    host.Click(u"ButtonAllowSharing");
    WaitForBoxes(1);
    host.PressEscape();
    RunPage(state, PageId::Error);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The change could not be made:\n/usr/bin/gpasswd did not add anna "
                                                    "to group sambashare: timed out"});
    EXPECT_EQ(Attribute(Shown(0), u"SharingFix", u"className"), "show"); // still offered
    EXPECT_EQ(Prop(Shown(0), u"ButtonAllowSharing", PageProperty::Disabled), "");

    pkexec.exitCode = 0;
    host.Click(u"ButtonAllowSharing");
    WaitForBoxes(2);
    host.Click(u"ButtonAllowSharing"); // allowed already: nothing runs
    host.PressEscape();
    RunPage(state, PageId::Error);
    EXPECT_EQ(host.TimeOuts(), 0);
    ASSERT_EQ(pkexec.runs.size(), 2u);
    EXPECT_EQ(pkexec.runs[1].arguments, (std::vector<std::string>{kPkexec, kHelper, "join-sambashare"}));
    EXPECT_EQ(pkexec.runs[1].input, "");
    EXPECT_EQ(BoxTexts().back(), "This account may now share folders. This counts only from its next login:\nlog out, "
                                 "log in again, and run the wizard again.");
    EXPECT_EQ(boxes.Shown().back().caption, "Information");
    EXPECT_EQ(Attribute(Shown(1), u"SharingFix", u"className"), "");
    EXPECT_FALSE(state.sharingNotAllowed);

    // An Error page for any other cause does not offer it.
    host.PressEscape();
    RunPage(state, PageId::Error);
    EXPECT_EQ(Attribute(Shown(2), u"SharingFix", u"className"), "");
}
