// Check: the account that makes the shares may write into Samba's usershare folder, which on
// Debian only root and the members of its group (sambashare) may.
#include "CheckText.h"
#include "Checks.h"
#include "SambaParameter.h"

#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace selfcheck {

namespace {

bool InGroup(const passwd& account, const group& entry)
{
    if (account.pw_gid == entry.gr_gid)
        return true;
    for (char** member = entry.gr_mem; member && *member; ++member)
        if (std::string(account.pw_name) == *member)
            return true;
    return false;
}

// Whether this process already has the group: membership counts from the next login.
bool ProcessHasGroup(gid_t gid)
{
    int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0 && getgroups(count, groups.data()) != count)
        return false;
    return getegid() == gid || std::find(groups.begin(), groups.end(), gid) != groups.end();
}

} // namespace

CheckResult CheckUsershareGroup(const CheckInput& input)
{
    if (input.shareMaker.empty())
        return Skipped("no account given that makes the shares");
    std::optional<std::string> folder = ReadSambaParameter("usershare path");
    if (!folder)
        return Skipped("testparm could not read " + SambaConfigFile());
    struct stat info {};
    if (folder->empty() || stat(folder->c_str(), &info) != 0)
        return Skipped("Samba's usershare folder " + *folder + " is missing");
    const passwd* account = getpwnam(input.shareMaker.c_str());
    if (!account)
        return Skipped("there is no account " + input.shareMaker + " on this computer");
    if (account->pw_uid == 0 || (info.st_mode & S_IWOTH) || account->pw_uid == info.st_uid)
        return Ok(input.shareMaker + " may make shares in " + *folder);
    const group* owner = getgrgid(info.st_gid);
    const std::string groupName = owner ? owner->gr_name : std::to_string(info.st_gid);
    if (owner && (info.st_mode & S_IWGRP) && InGroup(*account, *owner)) {
        if (account->pw_uid == geteuid() && !ProcessHasGroup(info.st_gid))
            return Ok(input.shareMaker + " is in group " + groupName + " from the next login (log out and in again)");
        return Ok(input.shareMaker + " is in group " + groupName + ", which makes shares in " + *folder);
    }
    std::vector<std::string> remedy;
    if (groupName == "sambashare")
        remedy = {"join-sambashare"};
    return Problem(input.shareMaker + " is not in group " + groupName + ", so Samba takes no share of it",
                   ShellCommand({"usermod", "-aG", groupName, input.shareMaker}) + ", then log out and in again",
                   remedy);
}

} // namespace selfcheck
