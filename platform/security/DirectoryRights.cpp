#include "DirectoryRights.h"

#include "PosixAcl.h"
#include "platform/core/Paths.h"
#include "platform/fs/WindowsPath.h"

#include <acl/libacl.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr acl_perm_t kFullAccess = ACL_READ | ACL_WRITE | ACL_EXECUTE;

std::string PosixPathOf(const CString& directory)
{
    return ToPosixPathOrMissing(WithoutTrailingBlanksAndDots(directory));
}

// Gives the account rwx in one ACL, others nothing, and keeps it valid.
int MergeFullAccess(AclHandle& acl, uid_t uid)
{
    if (int error = AddUserPerms(acl.address(), uid, kFullAccess, true))
        return error;
    // Every ACL read from a file has its "other" entry; acl_valid below checks the outcome.
    acl_permset_t perms;
    if (acl_entry_t other = FindEntry(acl.get(), ACL_OTHER); other && acl_get_permset(other, &perms) == 0) {
        acl_clear_perms(perms);
        acl_set_permset(other, perms);
    }
    if (acl_calc_mask(acl.address()) != 0)
        return errno;
    return acl_valid(acl.get()) == 0 ? 0 : EINVAL;
}

// Adds x for uid to the access ACL of path: to the owner's entry when uid owns it, else to an
// entry of its own. The mask only gains x, so no other entry gets more than the search right.
int AddSearchRight(const std::string& path, AclHandle& acl, const struct stat& info, uid_t uid)
{
    if (uid == info.st_uid) {
        acl_entry_t ownerEntry = FindEntry(acl.get(), ACL_USER_OBJ);
        acl_permset_t perms;
        if (!ownerEntry || acl_get_permset(ownerEntry, &perms) != 0 || acl_add_perm(perms, ACL_EXECUTE) != 0 ||
            acl_set_permset(ownerEntry, perms) != 0)
            return errno;
    } else {
        if (int error = AddUserPerms(acl.address(), uid, ACL_EXECUTE, false))
            return error;
        acl_entry_t mask = FindEntry(acl.get(), ACL_MASK);
        acl_permset_t perms;
        if (!mask) {
            if (acl_calc_mask(acl.address()) != 0)
                return errno;
        } else if (acl_get_permset(mask, &perms) != 0 || acl_add_perm(perms, ACL_EXECUTE) != 0 ||
                   acl_set_permset(mask, perms) != 0) {
            return errno;
        }
    }
    if (acl_valid(acl.get()) != 0)
        return EINVAL;
    return acl_set_file(path.c_str(), ACL_TYPE_ACCESS, acl.get()) == 0 ? 0 : errno;
}

class PosixDirectoryRights : public IDirectoryRights {
public:
    AclResult GrantFullAccess(const CString& directory, const Account& account) override
    {
        std::string path = PosixPathOf(directory);
        AclHandle access(acl_get_file(path.c_str(), ACL_TYPE_ACCESS));
        if (!access)
            return {errno, AclStep::Read};
        AclHandle inherited(acl_get_file(path.c_str(), ACL_TYPE_DEFAULT));
        if (!inherited)
            return {errno, AclStep::Read};
        // An empty default ACL needs the owner, group and other entries before a user entry.
        if (acl_entries(inherited.get()) == 0)
            inherited.Reset(acl_dup(access.get()));
        if (!inherited)
            return {errno, AclStep::Build};
        if (int error = MergeFullAccess(access, account.uid))
            return {error, AclStep::Build};
        if (int error = MergeFullAccess(inherited, account.uid))
            return {error, AclStep::Build};
        if (acl_set_file(path.c_str(), ACL_TYPE_ACCESS, access.get()) != 0 ||
            acl_set_file(path.c_str(), ACL_TYPE_DEFAULT, inherited.get()) != 0)
            return {errno, AclStep::Write};
        return {};
    }

    std::vector<ParentChange> GrantSearchOnParents(const CString& directory, const Account& account) override
    {
        std::vector<ParentChange> changes;
        if (account.uid == 0)
            return changes; // root passes every folder
        char* resolved = realpath(PosixPathOf(directory).c_str(), nullptr);
        if (!resolved)
            return changes;
        std::filesystem::path parent(resolved);
        std::free(resolved);
        std::vector<gid_t> groups = GroupsOf(account);
        while (parent != parent.root_path()) {
            parent = parent.parent_path();
            CString parentName = CString::FromUtf8(parent.string());
            struct stat info {};
            AclHandle acl(acl_get_file(parent.c_str(), ACL_TYPE_ACCESS));
            if (stat(parent.c_str(), &info) != 0 || !acl) {
                changes.push_back({parentName, errno});
                continue;
            }
            if (!MayAccess(acl.get(), info.st_uid, info.st_gid, account.uid, groups, ACL_EXECUTE))
                changes.push_back({parentName, AddSearchRight(parent.string(), acl, info, account.uid)});
        }
        return changes;
    }
};

} // namespace

IDirectoryRights& IDirectoryRights::Default()
{
    static PosixDirectoryRights instance;
    return instance;
}

CString ErrorText(int error)
{
    char buffer[256];
    return CString::FromUtf8(strerror_r(error, buffer, sizeof buffer));
}

} // namespace platform
