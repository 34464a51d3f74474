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
int AddSearchRight(const std::string& path, AclHandle& acl, const struct stat& info, uid_t uid, ParentChange& change)
{
    change.madeEntry = uid != info.st_uid && !FindEntry(acl.get(), ACL_USER, uid);
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
        } else {
            if (acl_get_permset(mask, &perms) != 0)
                return errno;
            change.maskGained = acl_get_perm(perms, ACL_EXECUTE) != 1;
            if (acl_add_perm(perms, ACL_EXECUTE) != 0 || acl_set_permset(mask, perms) != 0)
                return errno;
        }
    }
    if (acl_valid(acl.get()) != 0)
        return EINVAL;
    return acl_set_file(path.c_str(), ACL_TYPE_ACCESS, acl.get()) == 0 ? 0 : errno;
}

bool HasNamedEntries(acl_t acl)
{
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag = ACL_UNDEFINED_TAG;
        acl_get_tag_type(entry, &tag);
        if (tag == ACL_USER || tag == ACL_GROUP)
            return true;
    }
    return false;
}

bool HasAnyPerm(acl_permset_t perms)
{
    return acl_get_perm(perms, ACL_READ) == 1 || acl_get_perm(perms, ACL_WRITE) == 1 ||
           acl_get_perm(perms, ACL_EXECUTE) == 1;
}

// The mask as the remaining entries need it; without named entries there is none, as before
// any was added.
int FitMask(AclHandle& acl)
{
    if (HasNamedEntries(acl.get()))
        return acl_calc_mask(acl.address()) == 0 ? 0 : errno;
    if (acl_entry_t mask = FindEntry(acl.get(), ACL_MASK); mask && acl_delete_entry(acl.get(), mask) != 0)
        return errno;
    return 0;
}

// Deletes uid's own entry, when there is one, and fits the mask.
int DropUserEntry(AclHandle& acl, uid_t uid)
{
    if (acl_entry_t entry = FindEntry(acl.get(), ACL_USER, uid); entry && acl_delete_entry(acl.get(), entry) != 0)
        return errno;
    return FitMask(acl);
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

    std::vector<ParentChange> GrantSearchOnParents(const CString& directory, const Account& account,
                                                   const BeforeParentChange& before) override
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
            if (MayAccess(acl.get(), info.st_uid, info.st_gid, account.uid, groups, ACL_EXECUTE))
                continue;
            if (before)
                before(parentName);
            ParentChange change{parentName};
            change.error = AddSearchRight(parent.string(), acl, info, account.uid, change);
            changes.push_back(change);
        }
        return changes;
    }

    int RevokeFullAccess(const CString& directory, const Account& account) override
    {
        std::string path = PosixPathOf(directory);
        AclHandle access(acl_get_file(path.c_str(), ACL_TYPE_ACCESS));
        AclHandle inherited(acl_get_file(path.c_str(), ACL_TYPE_DEFAULT));
        if (!access || !inherited)
            return errno;
        if (int error = DropUserEntry(access, account.uid))
            return error;
        if (acl_set_file(path.c_str(), ACL_TYPE_ACCESS, access.get()) != 0)
            return errno;
        if (acl_entries(inherited.get()) == 0)
            return 0;
        if (int error = DropUserEntry(inherited, account.uid))
            return error;
        if (!HasNamedEntries(inherited.get()))
            return acl_delete_def_file(path.c_str()) == 0 ? 0 : errno;
        return acl_set_file(path.c_str(), ACL_TYPE_DEFAULT, inherited.get()) == 0 ? 0 : errno;
    }

    int RevokeSearch(const ParentChange& change, const Account& account) override
    {
        std::string path = change.path.ToUtf8();
        struct stat info {};
        AclHandle acl(acl_get_file(path.c_str(), ACL_TYPE_ACCESS));
        if (stat(path.c_str(), &info) != 0 || !acl)
            return errno;
        acl_tag_t tag = account.uid == info.st_uid ? ACL_USER_OBJ : ACL_USER;
        acl_entry_t entry = FindEntry(acl.get(), tag, account.uid);
        if (!entry)
            return 0; // taken away since
        acl_permset_t perms;
        if (acl_get_permset(entry, &perms) != 0 || acl_delete_perm(perms, ACL_EXECUTE) != 0 ||
            acl_set_permset(entry, perms) != 0)
            return errno;
        if (tag == ACL_USER && change.madeEntry && !HasAnyPerm(perms) && acl_delete_entry(acl.get(), entry) != 0)
            return errno;
        if (tag == ACL_USER) {
            acl_entry_t mask = FindEntry(acl.get(), ACL_MASK);
            if (mask && !HasNamedEntries(acl.get())) {
                if (acl_delete_entry(acl.get(), mask) != 0)
                    return errno;
            } else if (mask && change.maskGained &&
                       (acl_get_permset(mask, &perms) != 0 || acl_delete_perm(perms, ACL_EXECUTE) != 0 ||
                        acl_set_permset(mask, perms) != 0)) {
                return errno;
            }
        }
        if (acl_valid(acl.get()) != 0)
            return EINVAL;
        return acl_set_file(path.c_str(), ACL_TYPE_ACCESS, acl.get()) == 0 ? 0 : errno;
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
