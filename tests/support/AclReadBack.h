// A user's entry in a folder's POSIX ACL, read back with libacl (link acl).
#pragma once

#include "platform/security/PosixAcl.h"

#include <acl/libacl.h>

#include <string>

// "rwx", "--x" ... for the user's own entry in the ACL of the type, or "" when it has none.
inline std::string UserAclEntry(const std::string& path, uid_t uid, acl_type_t type = ACL_TYPE_ACCESS)
{
    platform::AclHandle acl(acl_get_file(path.c_str(), type));
    acl_entry_t entry = acl ? platform::FindEntry(acl.get(), ACL_USER, uid) : nullptr;
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
