// Check 3: the account exists on this computer and Samba has a password for it.
#include "CheckText.h"
#include "Checks.h"

#include "platform/core/LastError.h"
#include "platform/core/SystemErrors.h"
#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/security/Logon.h"
#include "platform/security/SambaPassdb.h"
#include "platform/shares/SambaConfig.h"

#include <unistd.h>

namespace selfcheck {

namespace {

// Without root, Samba's own logon of the account with the password given: a guest session
// means Samba has no password for it, a refusal that its password is another.
CheckResult CheckByLogon(const CheckInput& input, const std::string& addPassword)
{
    const std::vector<std::string> remedy{"set-samba-password", input.account};
    platform::SetLastError(0);
    auto session = platform::Use<platform::ILogon>().LogonUser(CString::FromUtf8(input.account), CString(),
                                                              CString::FromUtf8(*input.password),
                                                              platform::kLogonNetwork, platform::kLogonProviderDefault);
    if (session)
        return Ok("Samba takes the password given for " + input.account);
    switch (platform::GetLastError()) {
    case platform::kErrorNoSuchUser:
        return Problem(input.account + " has no Samba password", addPassword, remedy);
    case platform::kErrorLogonFailure:
        return Problem("Samba refuses the password given for " + input.account + ": its Samba password is another",
                       addPassword, remedy);
    default:
        return Skipped(kNeedsRoot);
    }
}

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

    const platform::PassdbEntry entry = platform::ReadPassdbEntry(input.account);
    switch (entry.answer) {
    case platform::PassdbAnswer::NotRun:
        return Skipped(std::string(platform::kPdbeditProgram) + " could not be run");
    case platform::PassdbAnswer::Listed:
        return Ok(input.account + " has a Samba password");
    case platform::PassdbAnswer::Unknown:
        return Problem(input.account + " has no Samba password", addPassword, {"set-samba-password", input.account});
    case platform::PassdbAnswer::Unreadable:
        // Only root may open Samba's account database.
        if (geteuid() != 0)
            return input.password ? CheckByLogon(input, addPassword) : Skipped(kNeedsRoot);
        break;
    case platform::PassdbAnswer::Failed:
        break;
    }
    return Skipped(std::string(platform::kPdbeditProgram) + " could not read Samba's accounts (exit status " +
                   std::to_string(entry.exitCode) + ")");
}

} // namespace selfcheck
