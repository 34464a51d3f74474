// Entries of a folder's POSIX ACL, read back with libacl (link acl).
#pragma once

#include "platform/security/PosixAcl.h"

#include <acl/libacl.h>

#include <string>

// "rwx", "--x" ... for the entry of the tag (and, for ACL_USER, the uid) in the ACL of the type,
// or "" when there is none.
inline std::string AclEntry(const std::string& path, acl_tag_t tag, acl_type_t type = ACL_TYPE_ACCESS, id_t id = 0)
{
    platform::AclHandle acl(acl_get_file(path.c_str(), type));
    acl_entry_t entry = acl ? platform::FindEntry(acl.get(), tag, id) : nullptr;
    if (!entry)
        return "";
    acl_permset_t perms;
    acl_get_permset(entry, &perms);
    std::string text;
    text += acl_get_perm(perms, ACL_READ) ? 'r' : '-';
    text += acl_get_perm(perms, ACL_WRITE) ? 'w' : '-';
    text += acl_get_perm(perms, ACL_EXECUTE) ? 'x' : '-';
    return text;
}

// The user's own entry.
inline std::string UserAclEntry(const std::string& path, uid_t uid, acl_type_t type = ACL_TYPE_ACCESS)
{
    return AclEntry(path, ACL_USER, type, uid);
}
