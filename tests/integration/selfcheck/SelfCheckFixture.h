// A scan share set up as the product sets it up, against a private Samba: an account with a
// Samba password, a folder whose ACL gives it rwx, a usershare that gives its SID full access,
// smbd running. Tests then break one thing and run the self-test.
#pragma once

#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/Shares.h"
#include "selfcheck/SelfCheck.h"
#include "support/PrivateHostName.h"
#include "support/SambaFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>

// Runs the real programs, except those given a scripted result ({started = false} for a program
// that is not installed).
class ScriptedPrograms : public platform::IProgramRunner {
public:
    ScriptedPrograms() : m_use(*this) {}
    platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                                platform::RunOptions options) override
    {
        auto scripted = results.find(arguments.at(0));
        if (scripted != results.end())
            return scripted->second;
        return platform::RunProgram(arguments, input, options);
    }
    std::map<std::string, platform::ProgramResult> results{{"/usr/sbin/nft", {}}};

private:
    platform::ScopedService<platform::IProgramRunner> m_use;
};

class SetUpShare {
public:
    static constexpr const char* kComputer = "doctorpc";
    static constexpr const char* kShare = "Scans";

    explicit SetUpShare(std::vector<std::string> extraGlobalLines = {}) : samba(std::move(extraGlobalLines)) {}

    // Makes everything; withSambaPassword false leaves the account without one.
    void Make(bool withSambaPassword = true)
    {
        ASSERT_TRUE(samba.IsReady());
        ASSERT_TRUE(UsePrivateHostName(kComputer));
        account = samba.AddAccount(withSambaPassword);
        ASSERT_FALSE(account.name.empty());
        folder = samba.Root() + "/Scans";
        ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
        SetFacl({"-m", "u:" + account.name + ":rwx", folder});
        ASSERT_TRUE(samba.StartServer());
        platform::Account unixAccount;
        ASSERT_EQ(platform::IAccounts::Default().LookupAccountName(CString::FromUtf8(account.name), unixAccount), 0);
        CString sid = platform::IAccounts::Default().LookupSambaSid(unixAccount);
        ASSERT_EQ(platform::IShares::Default().AddShare(CString::FromUtf8(kShare), CString::FromUtf8(folder)), 0);
        ASSERT_EQ(platform::IShares::Default().SetShareAccess(CString::FromUtf8(kShare), sid), 0);
        input = {account.name, kShare, folder, kComputer, {"SMB2", false, ""}, std::nullopt, ""};
    }

    static void SetFacl(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "/usr/bin/setfacl");
        platform::ProgramResult run = platform::RunProgram(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.output;
    }

    // The result of the named check, from a run of all of them.
    selfcheck::CheckResult Check(const std::string& name) const
    {
        for (auto& result : selfcheck::RunChecks(input))
            if (result.name == name)
                return result;
        return {name, selfcheck::Status::Skipped, "no such check", "", {}};
    }

    std::string Config() const { return samba.ConfigPath(); }

    SambaFixture samba;
    SambaFixture::Account account;
    std::string folder;
    selfcheck::CheckInput input;
    ScriptedPrograms programs;
};

// "status | detail | fix" of a result, so that one comparison shows all three on a failure.
inline std::string Shown(const selfcheck::CheckResult& result)
{
    return std::string(selfcheck::StatusName(result.status)) + " | " + result.detail + " | " + result.fix;
}
