// Small owning wrapper and helpers over libacl.
#pragma once

#include <sys/acl.h>
#include <sys/types.h>
#include <vector>

namespace platform {

class AclHandle {
public:
    explicit AclHandle(acl_t acl = nullptr) : m_acl(acl) {}
    ~AclHandle() { Reset(nullptr); }
    AclHandle(const AclHandle&) = delete;
    AclHandle& operator=(const AclHandle&) = delete;
    acl_t get() const { return m_acl; }
    // For the libacl calls that may move the ACL (acl_create_entry, acl_calc_mask).
    acl_t* address() { return &m_acl; }
    explicit operator bool() const { return m_acl != nullptr; }
    void Reset(acl_t acl)
    {
        if (m_acl)
            acl_free(m_acl);
        m_acl = acl;
    }

private:
    acl_t m_acl;
};

// The entry of the given tag (and, for ACL_USER and ACL_GROUP, qualifier), or null.
acl_entry_t FindEntry(acl_t acl, acl_tag_t tag, id_t qualifier = 0);

// Makes an entry for the user with exactly perms or adds perms to the existing one; 0 or errno.
int AddUserPerms(acl_t* acl, uid_t uid, acl_perm_t perms, bool replace);

// Whether a process of uid with the groups may use perm, by the access check of acl(5).
bool MayAccess(acl_t acl, uid_t owner, gid_t ownerGroup, uid_t uid, const std::vector<gid_t>& groups,
               acl_perm_t perm);

} // namespace platform
