// Logons of an account with its password, as the system's LogonUser makes them.
//
// On Linux the one supported kind is the network logon: an SMB session set-up of the account
// with this computer's Samba server (Samba accounts have passwords of their own; the Unix
// password is not asked). See SambaLogon.cpp and Smb2SessionSetup.h.
#pragma once

#include "platform/core/CString.h"

#include <memory>

namespace platform {

// Logon types and providers, by their Windows values.
inline constexpr int kLogonNetwork = 3;
inline constexpr int kLogonProviderDefault = 0;
inline constexpr int kLogonProviderWinNT40 = 2;

// A logon that succeeded, the system's token of it: destroying the object releases it.
class ILogonSession {
public:
    virtual ~ILogonSession() = default;
};

class ILogon {
public:
    virtual ~ILogon() = default;

    // Logs userName of domain on with password. Null on failure, with the thread's last error
    // (LastError.h) set to one of:
    //   1326 (kErrorLogonFailure)    the server refused the user name or password, or one is empty
    //   1317 (kErrorNoSuchUser)      the server gave only a guest session: it has no Samba password
    //                                 for the user name (or no such account), so any password passes
    //   1311 (kErrorNoLogonServers)  the server could not be reached
    //   87   (kErrorInvalidParameter) a logon type or provider other than the network logon of
    //                                 the default or NT 4.0 provider
    //   31   (kErrorGenFailure)      anything else: a reply that is no SMB 2 or 3 session set-up,
    //                                 another refusal, or no MD4 in the system's cryptography
    virtual std::unique_ptr<ILogonSession> LogonUser(const CString& userName, const CString& domain,
                                                     const CString& password, int logonType, int provider) = 0;

    static constexpr const char* kServiceName = "Logon";
    static ILogon& Default();
};

} // namespace platform
