// The credentials page on the in-memory page host, with services that a test swaps in: the
// system version, the logon, the accounts and the computer name. Every page of the wizard is
// defined (empty page files in a module folder of the test's own), so the page can go on.
#pragma once

#include "support/LogCapture.h"
#include "support/ScriptedMessageBoxes.h"
#include "wizard/PageChain.h"

#include "common/log/ProgramLog.h"
#include "platform/core/LastError.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/core/SystemVersion.h"
#include "platform/security/Accounts.h"
#include "platform/security/Logon.h"
#include "platform/ui/MemoryPageHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace credentialstest {

inline const std::string kUnknownUser = "Unknown user name or bad password.";
inline const std::string kNoPassword =
    "You have not provided a password. You will not be able \nto scan to this folder if you do not enter it. \n"
    "Continue ONLY if you have a blank password. \nDo you want to continue?";
inline const std::string kSignInEveryTime =
    "If you do not enter your password here, you will \nneed to sign in at the device every time you scan. \n"
    "Are you sure you want to sign in every time?";
inline const std::string kLocalAccountShadows =
    "There is a local account with the same username as the one entered for the domain.\nThis may prevent "
    "scanning from the device to the shared folder.\n\nRefer to Known Issues number 2 in the Scan Setup "
    "Readme\nfor more information.\n\nDo you want to continue?";

// Styles of the kinds: ErrorBox, and YesNoWarningDefaultNo / KnownIssueQuestion.
inline constexpr unsigned kErrorStyle = 0x10;
inline constexpr unsigned kYesNoDefaultNoStyle = 0x134;

// A system of the version the test sets; none when failing.
class ScriptedVersion : public platform::ISystemVersion {
public:
    bool GetVersion(platform::OsVersion& out) override
    {
        ++asked;
        if (failing)
            return false;
        out = version;
        return true;
    }
    platform::OsVersion version{6, 1, 7601, platform::kPlatformWin32Nt};
    bool failing = false;
    int asked = 0;
};

// A logon that records what it was asked and accepts, or refuses with a last error.
class RecordingLogon : public platform::ILogon {
public:
    struct Call {
        CString userName, domain, password;
        int logonType, provider;
    };
    class Session : public platform::ILogonSession {
    public:
        explicit Session(int& released) : m_released(released) {}
        ~Session() override { ++m_released; }

    private:
        int& m_released;
    };

    std::unique_ptr<platform::ILogonSession> LogonUser(const CString& userName, const CString& domain,
                                                       const CString& password, int logonType, int provider) override
    {
        calls.push_back({userName, domain, password, logonType, provider});
        if (refuseWith) {
            platform::SetLastError(*refuseWith);
            return nullptr;
        }
        return std::make_unique<Session>(released);
    }

    std::vector<Call> calls;
    std::optional<int> refuseWith;
    int released = 0;
};

// The system's accounts, counting the look-ups; the running account can be made unreadable.
class CountingAccounts : public platform::IAccounts {
public:
    int LookupAccountName(const CString& name, platform::Account& account) override
    {
        lookedUp.push_back(name.ToUtf8());
        return platform::IAccounts::Default().LookupAccountName(name, account);
    }
    CString LookupSambaSid(const platform::Account& account) override
    {
        return platform::IAccounts::Default().LookupSambaSid(account);
    }
    bool GetUserName(CString& name) override
    {
        if (runningAccountUnreadable)
            return false;
        return platform::IAccounts::Default().GetUserName(name);
    }
    std::vector<std::string> lookedUp;
    bool runningAccountUnreadable = false;
};

// Message boxes that also note whether Next was disabled while each box was up.
class BoxesNotingNext : public ScriptedMessageBoxes {
public:
    explicit BoxesNotingNext(platform::MemoryPageHost& host) : m_host(host) {}
    int Show(const CString& text, const CString& caption, unsigned style) override
    {
        const auto& document = m_host.Windows().back()->document;
        auto next = document.find(u"ButtonNext");
        nextDisabledWhileShown.push_back(
            next == document.end() ? "<missing>" : next->second.properties.count(platform::PageProperty::Disabled)
                ? next->second.properties.at(platform::PageProperty::Disabled).ToUtf8() : "");
        return ScriptedMessageBoxes::Show(text, caption, style);
    }
    std::vector<std::string> nextDisabledWhileShown;

private:
    platform::MemoryPageHost& m_host;
};

class CredentialsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("LANG", "C", 1);
        std::filesystem::create_directories(module / "ENWW");
        for (const PageInfo& page : PageCatalogue()) {
            platform::MemoryDocument document;
            for (const auto& id : page.boundIds())
                document[id];
            for (const auto& id : page.clickIds())
                document[id];
            host.DefinePage(page.name, document);
            std::ofstream(module / "ENWW" / (CString(page.name).ToUtf8() + ".htm")) << "<html></html>\n";
        }
        host.SetIdleTimeout(std::chrono::seconds(20));
        state.moduleFolder = CString::FromUtf8(module.string());
        state.languageCode = u"ENWW";
        ProgramLog().Open(kLogFilePath);
        log.emplace();
        ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
        passwd* running = getpwuid(geteuid());
        ASSERT_NE(running, nullptr);
        runningUser = running->pw_name;
    }

    void TearDown() override
    {
        // No password typed into the page reaches the log.
        for (const CString& password : typedPasswords)
            EXPECT_FALSE(log->Contains(password.ToUtf8())) << "the log holds a password";
    }

    // Types into the three boxes (in the script) and presses Next.
    void Enter(const CString& domain, const CString& user, const CString& password)
    {
        host.Type(u"textbox-Domain", domain);
        host.Type(u"textbox-UserName", user);
        TypePassword(password);
        host.Click(u"ButtonNext");
    }
    void TypePassword(const CString& password)
    {
        if (!password.IsEmpty())
            typedPasswords.push_back(password);
        host.Type(u"textbox-Password", password);
    }
    // Runs the credentials page; the script ends it on ScanOptions when goesOn, else on itself.
    void Run(bool goesOn)
    {
        if (goesOn)
            host.WaitForPage(u"ScanOptions");
        host.PressEscape();
        RunPage(state, PageId::UserCredentials);
        EXPECT_EQ(host.TimeOuts(), 0);
    }

    const platform::MemoryWindowRecord& Page() const { return *host.Windows().at(0); }
    static std::string Prop(const platform::MemoryWindowRecord& window, const char16_t* id,
                            platform::PageProperty property)
    {
        auto element = window.document.find(id);
        if (element == window.document.end())
            return "<missing>";
        auto found = element->second.properties.find(property);
        return found == element->second.properties.end() ? "" : CString(found->second).ToUtf8();
    }
    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.Shown())
            texts.push_back(box.text);
        return texts;
    }
    bool LogHasLineStartingWith(const std::string& start) const
    {
        for (const auto& line : log->Lines())
            if (line.rfind(start, 0) == 0)
                return true;
        return false;
    }

    std::filesystem::path module = std::filesystem::path(platform::DriveCRoot()).parent_path() / "module";
    platform::MemoryPageHost host;
    platform::ScopedService<platform::IPageHost> useHost{host};
    BoxesNotingNext boxes{host};
    // The system version is the platform's unless a test installs this one (UseScriptedVersion).
    ScriptedVersion version;
    std::optional<platform::ScopedService<platform::ISystemVersion>> useVersion;
    void UseScriptedVersion() { useVersion.emplace(version); }
    std::optional<LogCapture> log;
    WizardState state;
    CString computer;
    std::string runningUser;
    std::vector<CString> typedPasswords;
};

} // namespace credentialstest
