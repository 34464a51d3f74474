#include "PosixAcl.h"

#include <acl/libacl.h>
#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

bool HasPerm(acl_entry_t entry, acl_perm_t perm)
{
    acl_permset_t perms;
    return acl_get_permset(entry, &perms) == 0 && acl_get_perm(perms, perm) == 1;
}

bool QualifierIn(acl_entry_t entry, const std::vector<gid_t>& ids)
{
    void* qualifier = acl_get_qualifier(entry);
    if (!qualifier)
        return false;
    bool in = std::find(ids.begin(), ids.end(), *static_cast<id_t*>(qualifier)) != ids.end();
    acl_free(qualifier);
    return in;
}

acl_tag_t TagOf(acl_entry_t entry)
{
    acl_tag_t tag = ACL_UNDEFINED_TAG;
    acl_get_tag_type(entry, &tag);
    return tag;
}

} // namespace

acl_entry_t FindEntry(acl_t acl, acl_tag_t tag, id_t qualifier)
{
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        if (TagOf(entry) != tag)
            continue;
        if ((tag != ACL_USER && tag != ACL_GROUP) || QualifierIn(entry, {qualifier}))
            return entry;
    }
    return nullptr;
}

int AddUserPerms(acl_t* acl, uid_t uid, acl_perm_t perms, bool replace)
{
    acl_entry_t entry = FindEntry(*acl, ACL_USER, uid);
    if (!entry) {
        if (acl_create_entry(acl, &entry) != 0 || acl_set_tag_type(entry, ACL_USER) != 0 ||
            acl_set_qualifier(entry, &uid) != 0)
            return errno;
        replace = true;
    }
    acl_permset_t permset;
    if (acl_get_permset(entry, &permset) != 0)
        return errno;
    if (replace)
        acl_clear_perms(permset);
    for (acl_perm_t perm : {ACL_READ, ACL_WRITE, ACL_EXECUTE})
        if ((perms & perm) && acl_add_perm(permset, perm) != 0)
            return errno;
    return acl_set_permset(entry, permset) == 0 ? 0 : errno;
}

bool MayAccess(acl_t acl, uid_t owner, gid_t ownerGroup, uid_t uid, const std::vector<gid_t>& groups,
               acl_perm_t perm)
{
    if (uid == owner) {
        acl_entry_t ownerEntry = FindEntry(acl, ACL_USER_OBJ);
        return ownerEntry && HasPerm(ownerEntry, perm);
    }
    acl_entry_t mask = FindEntry(acl, ACL_MASK);
    auto grants = [&](acl_entry_t entry) { return HasPerm(entry, perm) && (!mask || HasPerm(mask, perm)); };
    if (acl_entry_t userEntry = FindEntry(acl, ACL_USER, uid))
        return grants(userEntry);

    // Among the group entries that match, any one that grants is enough; matching but none
    // granting denies without looking at "other".
    bool groupMatched = false;
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag = TagOf(entry);
        bool matches = (tag == ACL_GROUP_OBJ && std::find(groups.begin(), groups.end(), ownerGroup) != groups.end()) ||
                       (tag == ACL_GROUP && QualifierIn(entry, groups));
        if (!matches)
            continue;
        if (grants(entry))
            return true;
        groupMatched = true;
    }
    if (groupMatched)
        return false;
    acl_entry_t other = FindEntry(acl, ACL_OTHER);
    return other && HasPerm(other, perm);
}

} // namespace platform
