// The network logon on Linux: a session set-up of the account with this computer's Samba server
// (Smb2SessionSetup.h), made by the process itself, so that a logon costs two exchanges with
// the server and no client library.
//
// A session is not yet a logon: with "map to guest = bad user" (Debian's configuration) the
// server answers a user name that it has no Samba password for with a guest session, whatever
// the password. The server marks such a session as a guest's, and that is told apart.
#include "Logon.h"

#include "Smb2SessionSetup.h"
#include "platform/core/LastError.h"
#include "platform/core/SystemErrors.h"
#include "platform/fs/WinErrors.h"
#include "platform/shares/SambaPort.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

constexpr int kLogonTimeout = 15000; // milliseconds, for the connection and each reply

// The NT statuses of a session set-up that refuse the account: a wrong name or password, or an
// account that may not log on now (disabled, locked, expired, restricted).
constexpr std::uint32_t kRefusals[] = {
    0xC000006D, // STATUS_LOGON_FAILURE
    0xC0000022, // STATUS_ACCESS_DENIED
    0xC0000064, // STATUS_NO_SUCH_USER
    0xC000006A, // STATUS_WRONG_PASSWORD
    0xC000006E, // STATUS_ACCOUNT_RESTRICTION
    0xC000006F, // STATUS_INVALID_LOGON_HOURS
    0xC0000070, // STATUS_INVALID_WORKSTATION
    0xC0000071, // STATUS_PASSWORD_EXPIRED
    0xC0000072, // STATUS_ACCOUNT_DISABLED
    0xC0000193, // STATUS_ACCOUNT_EXPIRED
    0xC0000224, // STATUS_PASSWORD_MUST_CHANGE
    0xC0000234, // STATUS_ACCOUNT_LOCKED_OUT
};

// The Windows error number (Logon.h) of a session set-up's verdict.
int LogonError(const SessionVerdict& verdict)
{
    switch (verdict.kind) {
    case SessionVerdict::Kind::Account:
        return kErrorSuccess;
    case SessionVerdict::Kind::Guest:
        return kErrorNoSuchUser;
    case SessionVerdict::Kind::Refused:
        return std::find(std::begin(kRefusals), std::end(kRefusals), verdict.status) != std::end(kRefusals)
                   ? kErrorLogonFailure
                   : kErrorGenFailure;
    case SessionVerdict::Kind::Unreachable:
        return kErrorNoLogonServers;
    case SessionVerdict::Kind::BadReply:
    case SessionVerdict::Kind::NoCrypto:
        break;
    }
    return kErrorGenFailure;
}

// The session ended within LogonUser: the token stands for the logon that succeeded.
class SambaLogonToken : public ILogonSession {};

std::unique_ptr<ILogonSession> Fail(int error)
{
    SetLastError(error);
    return nullptr;
}

class SambaLogon : public ILogon {
public:
    std::unique_ptr<ILogonSession> LogonUser(const CString& userName, const CString& domain, const CString& password,
                                             int logonType, int provider) override
    {
        if (logonType != kLogonNetwork || (provider != kLogonProviderDefault && provider != kLogonProviderWinNT40))
            return Fail(kErrorInvalidParameter);
        // Nothing is sent for an empty name or password: the server would give an anonymous session.
        if (userName.IsEmpty() || password.IsEmpty())
            return Fail(kErrorLogonFailure);
        const int error = LogonError(
            SetUpSmbSession(SambaServerPort(), userName.str(), domain.str(), password.str(), kLogonTimeout));
        if (error != kErrorSuccess)
            return Fail(error);
        return std::make_unique<SambaLogonToken>();
    }
};

} // namespace

ILogon& ILogon::Default()
{
    static SambaLogon instance;
    return instance;
}

} // namespace platform
