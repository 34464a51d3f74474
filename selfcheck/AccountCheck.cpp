// Check 3: the account exists on this computer and Samba has a password for it.
#include "CheckText.h"
#include "Checks.h"

#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/security/SambaPassdb.h"
#include "platform/shares/SambaConfig.h"

#include <unistd.h>

namespace selfcheck {

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
        return Problem(input.account + " has no Samba password", addPassword);
    case platform::PassdbAnswer::Unreadable:
        // Only root may open Samba's account database.
        if (geteuid() != 0)
            return Skipped(kNeedsRoot);
        break;
    case platform::PassdbAnswer::Failed:
        break;
    }
    return Skipped(std::string(platform::kPdbeditProgram) + " could not read Samba's accounts (exit status " +
                   std::to_string(entry.exitCode) + ")");
}

} // namespace selfcheck
