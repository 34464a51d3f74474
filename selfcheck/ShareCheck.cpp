// Check 6: the share exists, serves the scan folder and gives the account full access.
#include "CheckText.h"
#include "Checks.h"
#include "SambaParameter.h"
#include "ShareAccessList.h"

#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/SambaConfig.h"
#include "platform/shares/ShareListing.h"
#include "platform/shares/Shares.h"

#include <filesystem>
#include <optional>

namespace selfcheck {

namespace {

// Groups that every network logon of an account belongs to, by SID and by the name Samba prints.
constexpr const char* kEveryLogon[] = {"S-1-1-0", "Everyone", "S-1-5-11", "NT AUTHORITY\\Authenticated Users"};

// The usershare of that name with its access list, or nothing (no usershare, or `net` failed).
std::optional<platform::ShareSection> FindUsershare(const std::string& name)
{
    std::vector<std::string> arguments{platform::kNetProgram};
    for (auto& option : platform::SambaConfigOption())
        arguments.push_back(std::move(option));
    arguments.insert(arguments.end(), {"usershare", "info", "--long"});
    platform::ProgramResult run =
        platform::Use<platform::IProgramRunner>().Run(arguments, {}, platform::kSambaToolTimeout);
    if (run.exitCode != 0)
        return std::nullopt;
    auto sections = platform::ReadShareSections(run.output, platform::kUsershareSeparator);
    if (const platform::ShareSection* found = platform::FindShareSection(sections, name))
        return *found;
    return std::nullopt;
}

// The SIDs and names of a network logon of the account that a usershare's list may name.
std::vector<std::string> IdentitiesOf(const platform::Account& account)
{
    std::string name = account.name.ToUtf8();
    std::vector<std::string> identities{
        platform::Use<platform::IAccounts>().LookupSambaSid(account).ToUtf8(),
        platform::UnixUserSid(account).ToUtf8(),
        name,
        "Unix User\\" + name,
    };
    if (std::optional<std::string> computer = ReadSambaParameter("netbios name"))
        identities.push_back(*computer + "\\" + name);
    identities.insert(identities.end(), std::begin(kEveryLogon), std::end(kEveryLogon));
    return identities;
}

bool SamePath(const std::string& a, const std::string& b)
{
    std::error_code ignored;
    return std::filesystem::weakly_canonical(a, ignored) == std::filesystem::weakly_canonical(b, ignored);
}

} // namespace

CheckResult CheckShare(const CheckInput& input)
{
    const std::string& name = input.shareName;
    if (name.empty())
        return Skipped("no share name given");
    auto shareFix = [&](const std::string& path, const std::string& comment) {
        return SambaToolCommand("net", "-s", {"usershare", "add", name, input.folder.empty() ? path : input.folder,
                                              comment, input.account + ":f", "guest_ok=n"});
    };

    CString pathText;
    int found = platform::Use<platform::IShares>().GetSharePath(CString::FromUtf8(name), pathText);
    if (found == platform::kNerrNetNameNotFound)
        return Problem("there is no share " + name, shareFix(input.folder, ""));
    if (found != 0)
        return Skipped("the shares could not be read (error " + std::to_string(found) + ")");
    std::string path = pathText.ToUtf8();
    std::optional<platform::ShareSection> usershare = FindUsershare(name);
    std::string comment = usershare ? usershare->comment : "";
    if (!input.folder.empty() && !SamePath(path, input.folder))
        return Problem("share " + name + " serves " + path + ", not " + input.folder, shareFix(path, comment));
    if (!usershare || usershare->path != path)
        return Ok("share " + name + " of " + SambaConfigFile() + " serves " + path +
                  " (its access is set in the configuration and not checked)");

    platform::Account account;
    if (input.account.empty() ||
        platform::Use<platform::IAccounts>().LookupAccountName(CString::FromUtf8(input.account), account) != 0)
        return Skipped("share " + name + " serves " + path + "; no account to check its access list against");
    const std::string& acl = usershare->acl;
    switch (AccessFor(ParseShareAccessList(acl), IdentitiesOf(account))) {
    case ShareAccess::Full:
        return Ok("share " + name + " serves " + path + " and gives " + input.account + " full access");
    case ShareAccess::Read:
        return Problem("share " + name + " lets " + input.account + " read only (access list " + acl + ")",
                       shareFix(path, comment));
    case ShareAccess::Denied:
        return Problem("share " + name + " denies " + input.account + " (access list " + acl + ")",
                       shareFix(path, comment));
    case ShareAccess::None:
        break;
    }
    return Problem("share " + name + " does not admit " + input.account + " (access list " + acl + ")",
                   shareFix(path, comment));
}

} // namespace selfcheck
