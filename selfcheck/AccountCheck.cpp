// Check 3: the account exists on this computer and Samba has a password for it.
#include "CheckText.h"
#include "Checks.h"

#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/shares/RunProgram.h"
#include "platform/shares/SambaConfig.h"

namespace selfcheck {

namespace {

// pdbedit's answer for an account that Samba does not know.
constexpr const char* kUnknownToSamba = "Username not found";

} // namespace

CheckResult CheckSambaAccount(const CheckInput& input)
{
    if (input.account.empty())
        return Skipped("no account given");
    const std::string addPassword = SambaToolCommand("smbpasswd", "-c", {"-a", input.account});
    platform::Account account;
    if (platform::Use<platform::IAccounts>().LookupAccountName(CString::FromUtf8(input.account), account) != 0)
        return Problem("there is no account " + input.account + " on this computer",
                       ShellCommand({"useradd", "-M", "-s", "/usr/sbin/nologin", input.account}) + " && " + addPassword);

    std::vector<std::string> arguments{platform::kPdbeditProgram};
    for (auto& option : platform::SambaConfigOption())
        arguments.push_back(std::move(option));
    arguments.insert(arguments.end(), {"-L", "-u", input.account});
    platform::ProgramResult run =
        platform::Use<platform::IProgramRunner>().Run(arguments, {}, platform::kSambaToolTimeout);
    if (!run.started || run.timedOut)
        return Skipped(std::string(platform::kPdbeditProgram) + " could not be run");
    if (run.exitCode == 0)
        return Ok(input.account + " has a Samba password");
    if (run.output.find(kUnknownToSamba) != std::string::npos)
        return Problem(input.account + " has no Samba password", addPassword);
    return Skipped(std::string(platform::kPdbeditProgram) + " could not read Samba's accounts (exit status " +
                   std::to_string(run.exitCode) + ")");
}

} // namespace selfcheck
