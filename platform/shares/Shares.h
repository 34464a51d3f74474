// Network shares of this computer. On Linux they are Samba usershares, managed through
// `net usershare` with the configuration of platform/shares/SambaConfig.h. Every user's
// usershares and the shares of the configuration itself count as existing, and so does an
// account's name while the configuration serves home folders ([homes]); names compare as Samba
// compares them (platform/shares/ShareName.h). Shares of the configuration are never changed.
#pragma once

#include "platform/core/CString.h"

#include <vector>

namespace platform {

inline constexpr int kNerrUnknownDevDir = 2116;
inline constexpr int kNerrDuplicateShare = 2118;
inline constexpr int kNerrBufTooSmall = 2123;
inline constexpr int kNerrNetNameNotFound = 2310;

// A usershare as removal needs to know it.
struct UsershareFacts {
    CString path;              // the folder it serves (a POSIX path)
    long long owner = -1;      // the uid of the user who made it
    std::vector<unsigned> uids; // the Unix accounts its access list admits by Unix-user SID
};

class IShares {
public:
    virtual ~IShares() = default;

    // Shares the directory path as name, made with its access list in one step: full access for
    // the account's SID alone, or, without a SID, no one admitted. The share is never open to
    // anyone else, not even for a moment. 0; 2118 when a share of that name exists (it is left as
    // it is); 123 for a name Samba refuses; 2116 when path is not a directory; 5 access denied;
    // 50 when usershares are switched off; 31 for any other failure (the tool did not start,
    // timed out or failed otherwise).
    virtual int AddShare(const CString& name, const CString& path, const CString& accountSid = {}) = 0;

    // 0 when a share of that name exists, 2310 when none does; else as AddShare.
    virtual int GetShareInfo(const CString& name) = 0;

    // 0 with the folder that the share of that name serves (a POSIX path, as Samba holds it);
    // else as GetShareInfo.
    virtual int GetSharePath(const CString& name, CString& path) = 0;

    // Replaces the usershare's access list with one entry: full access for the account's SID.
    // 0; 2310 when no usershare of that name exists; else as AddShare.
    virtual int SetShareAccess(const CString& name, const CString& accountSid) = 0;

    // 0 with what the usershare of that name is; 2310 when no usershare of that name exists (a
    // share of the configuration is none); else as AddShare.
    virtual int GetUsershare(const CString& name, UsershareFacts& facts) = 0;

    // Removes the usershare. 0; 2310 when no usershare of that name exists; else as AddShare.
    virtual int DeleteShare(const CString& name) = 0;

    // What Samba's tool said when the last call failed, in its own words (its lines as it wrote
    // them), or, when the last call found a name taken by an account's home folder ([homes]),
    // the words Samba refuses such a name with. Empty after any other call.
    virtual CString LastRefusal() = 0;

    static constexpr const char* kServiceName = "Shares";
    static IShares& Default();
};

} // namespace platform
