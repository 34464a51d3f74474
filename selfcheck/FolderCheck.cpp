// Check 7: the scan folder exists, the account may read, write and enter it (its effective
// rights by the folder's ACL, after the mask), and may pass every folder above it.
#include "CheckText.h"
#include "Checks.h"

#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/security/PosixAcl.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace selfcheck {

namespace {

struct Right {
    acl_perm_t perm;
    char letter;
};
constexpr Right kRights[] = {{ACL_READ, 'r'}, {ACL_WRITE, 'w'}, {ACL_EXECUTE, 'x'}};

// The account's rights on the path as "rwx" with "-" for each missing one; empty when the
// path's ACL cannot be read (errno tells why).
std::string RightsOn(const std::string& path, const platform::Account& account, const std::vector<gid_t>& groups)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    platform::AclHandle acl(acl_get_file(path.c_str(), ACL_TYPE_ACCESS));
    if (!acl)
        return {};
    std::string rights;
    for (const auto& right : kRights)
        rights += account.uid == 0 || platform::MayAccess(acl.get(), info.st_uid, info.st_gid, account.uid, groups, right.perm)
                      ? right.letter
                      : '-';
    return rights;
}

bool OwnedBy(const std::string& path, uid_t uid)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && info.st_uid == uid;
}

std::string ErrorText(int error)
{
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
}

} // namespace

CheckResult CheckFolderRights(const CheckInput& input)
{
    const std::string& folder = input.folder;
    if (folder.empty())
        return Skipped("no folder given");
    platform::Account account;
    if (input.account.empty() ||
        platform::Use<platform::IAccounts>().LookupAccountName(CString::FromUtf8(input.account), account) != 0)
        return Skipped("no account " + input.account + " to check the rights on " + folder + " against");
    const std::string& user = input.account;

    struct stat info {};
    if (stat(folder.c_str(), &info) != 0)
        return Problem(folder + " does not exist",
                       ShellCommand({"mkdir", "-p", folder}) + " && " + ShellCommand({"setfacl", "-m", "u:" + user + ":rwx", folder}));
    if (!S_ISDIR(info.st_mode))
        return Problem(folder + " is not a folder", "choose a folder as the scan folder");

    std::vector<gid_t> groups = platform::GroupsOf(account);
    std::string rights = RightsOn(folder, account, groups);
    if (rights.empty())
        return Skipped("the ACL of " + folder + " could not be read: " + ErrorText(errno));

    std::vector<std::string> details;
    std::vector<std::string> fixes;
    if (rights != "rwx") {
        details.push_back(user + " has " + rights + " on " + folder + ", needs rwx");
        fixes.push_back(OwnedBy(folder, account.uid) ? ShellCommand({"chmod", "u+rwx", folder})
                                                     : ShellCommand({"setfacl", "-m", "u:" + user + ":rwx", folder}));
    }
    std::vector<std::string> blocked;
    char* resolved = realpath(folder.c_str(), nullptr);
    std::filesystem::path parent(resolved ? resolved : folder);
    std::free(resolved);
    while (parent.has_relative_path()) {
        parent = parent.parent_path();
        std::string rightsAbove = RightsOn(parent.string(), account, groups);
        if (rightsAbove.empty() || rightsAbove[2] != 'x')
            blocked.push_back(parent.string());
    }
    if (!blocked.empty()) {
        std::string list;
        for (const auto& path : blocked)
            list += (list.empty() ? "" : ", ") + path;
        details.push_back(user + " may not pass " + list + " (no search right)");
        std::vector<std::string> command{"setfacl", "-m", "u:" + user + ":x"};
        command.insert(command.end(), blocked.begin(), blocked.end());
        fixes.push_back(ShellCommand(command));
    }
    if (details.empty())
        return Ok(user + " has rwx on " + folder + " and may pass every folder above it");
    std::string detail = details[0] + (details.size() > 1 ? "; " + details[1] : "");
    std::string fix = fixes[0] + (fixes.size() > 1 ? " && " + fixes[1] : "");
    return Problem(detail, fix);
}

} // namespace selfcheck
