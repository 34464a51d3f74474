// Accounts of this computer: the Unix accounts, as Samba knows them on the network.
#pragma once

#include "platform/core/CString.h"

#include <sys/types.h>
#include <vector>

namespace platform {

struct Account {
    CString name;
    uid_t uid = 0;
    gid_t gid = 0;
    // Local accounts belong to the computer: the domain is the computer name.
    CString domain;
};

// The Unix-user SID S-1-22-1-<uid>: Samba puts it into every logon of the account, whatever
// database holds its password, so a share's access list admits the account by it.
CString UnixUserSid(const Account& account);

// The name of the account with the uid; empty when there is none.
CString AccountNameOf(uid_t uid);

// The groups the account belongs to, its primary group first, as the system grants them at a log-in.
std::vector<gid_t> GroupsOf(const Account& account);

class IAccounts {
public:
    virtual ~IAccounts() = default;

    // 0 with the account, or 1332 (no such account). A name may carry this computer's name or "."
    // as its domain ("PC1\anna").
    virtual int LookupAccountName(const CString& name, Account& account) = 0;

    // The SID that Samba gives the account on the network: its Samba account's SID, or, for an
    // account without a Samba password, the Unix-user SID S-1-22-1-<uid> that Samba adds to the
    // same user's logons.
    virtual CString LookupSambaSid(const Account& account) = 0;

    // The name of the account that runs this process.
    virtual bool GetUserName(CString& name) = 0;

    static constexpr const char* kServiceName = "Accounts";
    static IAccounts& Default();
};

} // namespace platform
