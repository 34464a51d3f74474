// The network logon's use of Samba's client library, in a module of its own that the platform
// loads on first use (SambaLogon.cpp): libsmbclient and the libraries it brings take longer to
// load than all the rest of a program, and only a logon needs them.
//
// libsmbclient connects to this computer's Samba server on 127.0.0.1 and sets up a session of
// the account, with Kerberos off (the password itself is checked) and without libsmbclient's
// fall-back to an anonymous session, which would let a wrong password pass. Listing the
// server's shares makes the session; that it was set up is the logon.
//
// A session is not yet a logon: with "map to guest = bad user" (Debian's configuration) the
// server answers a user name it has no Samba password for with a guest session, whatever the
// password. The server marks such a session as guest, and a guest session has no session key,
// so it can be neither signed nor encrypted: the logon asks for an encrypted session, and only
// when that is refused asks again without encryption, to tell a guest (the session is set up)
// from a wrong password (it is refused).
#include "SambaClientModule.h"

#include "platform/core/SystemErrors.h"
#include "platform/fs/WinErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <libsmbclient.h>
#include <mutex>
#include <string>

namespace {

using namespace platform;

constexpr const char* kServerUrl = "smb://127.0.0.1/";
constexpr int kLogonTimeout = 15000; // milliseconds, for the connection and each reply

struct ErrnoRow {
    int error;
    int winError;
};

// What libsmbclient's errno values mean for the logon; others are kErrorGenFailure.
constexpr ErrnoRow kErrnoRows[] = {
    {EACCES, kErrorLogonFailure},
    {EPERM, kErrorLogonFailure},
    {EINVAL, kErrorLogonFailure}, // an empty user name or password: nothing was sent
    {ECONNREFUSED, kErrorNoLogonServers},
    {ETIMEDOUT, kErrorNoLogonServers},
    {EHOSTUNREACH, kErrorNoLogonServers},
    {ENETUNREACH, kErrorNoLogonServers},
    {ECONNRESET, kErrorNoLogonServers},
    {ENOMEM, kErrorNotEnoughMemory},
};

// The Windows error number (Logon.h) that stands for an errno value that libsmbclient left.
int LogonError(int error)
{
    for (const ErrnoRow& row : kErrnoRows)
        if (row.error == error)
            return row.winError;
    return kErrorGenFailure;
}

// What the client hands to the server when it asks; the password is wiped when it goes.
struct Credentials {
    std::string userName;
    std::string domain;
    std::string password;
    ~Credentials() { explicit_bzero(password.data(), password.size()); }
};

void CopyInto(char* buffer, int length, const std::string& text)
{
    if (length <= 0)
        return;
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(length - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

void GiveCredentials(SMBCCTX* context, const char* /*server*/, const char* /*share*/, char* workgroup,
                     int workgroupLength, char* user, int userLength, char* password, int passwordLength)
{
    const auto* credentials = static_cast<const Credentials*>(smbc_getOptionUserData(context));
    if (!credentials)
        return; // asked again after the logon: nothing to give
    if (!credentials->domain.empty())
        CopyInto(workgroup, workgroupLength, credentials->domain);
    CopyInto(user, userLength, credentials->userName);
    CopyInto(password, passwordLength, credentials->password);
}

// One client for the process: Samba's library loses a little memory with every client made,
// so the client is made once and kept. Its connections are dropped around every logon, so that
// each logon sets up a session of its own and none outlives the call.
class SambaClient {
public:
    // kErrorSuccess when the server set up a session of the account for the credentials,
    // kErrorNoSuchUser when it set up only a guest session, else the error.
    int Logon(Credentials& credentials, int port)
    {
        std::lock_guard guard(m_lock);
        if (!m_context && !Create())
            return m_createError;
        smbc_setPort(m_context, static_cast<uint16_t>(port));
        int error = ListShares(credentials, SMBC_ENCRYPTLEVEL_REQUIRE);
        if (error == EACCES || error == EPERM)
            return ListShares(credentials, SMBC_ENCRYPTLEVEL_NONE) == 0 ? kErrorNoSuchUser : LogonError(error);
        return error == 0 ? kErrorSuccess : LogonError(error);
    }

    // Makes the client now, so that the logon need not wait for it; 0, else the error.
    int Prepare()
    {
        std::lock_guard guard(m_lock);
        return m_context || Create() ? kErrorSuccess : m_createError;
    }

private:
    // 0 when a session with the encryption asked for lists the server's shares, else errno.
    int ListShares(Credentials& credentials, smbc_smb_encrypt_level encryption)
    {
        smbc_setOptionSmbEncryptionLevel(m_context, encryption);
        DropConnections();
        smbc_setOptionUserData(m_context, &credentials);
        SMBCFILE* listing = smbc_getFunctionOpendir(m_context)(m_context, kServerUrl);
        int error = listing ? 0 : errno;
        if (listing)
            smbc_getFunctionClosedir(m_context)(m_context, listing);
        DropConnections();
        // The credentials are asked for only while connecting: none is kept past this call.
        smbc_setOptionUserData(m_context, nullptr);
        return error;
    }

    bool Create()
    {
        SMBCCTX* context = smbc_new_context();
        if (!context) {
            m_createError = kErrorNotEnoughMemory;
            return false;
        }
        smbc_setDebug(context, 0);
        smbc_setTimeout(context, kLogonTimeout);
        smbc_setOptionUseKerberos(context, 0);
        smbc_setOptionFallbackAfterKerberos(context, 0);
        smbc_setOptionUseCCache(context, 0);
        smbc_setOptionNoAutoAnonymousLogin(context, 1);
        smbc_setFunctionAuthDataWithContext(context, GiveCredentials);
        if (!smbc_init_context(context)) {
            m_createError = LogonError(errno);
            smbc_free_context(context, 1);
            return false;
        }
        m_context = context;
        return true;
    }

    void DropConnections() { smbc_getFunctionPurgeCachedServers(m_context)(m_context); }

    std::mutex m_lock;
    SMBCCTX* m_context = nullptr;
    int m_createError = kErrorGenFailure;
};

SambaClient& Client()
{
    static SambaClient client;
    return client;
}

} // namespace

extern "C" int tarrow_samba_client_prepare()
{
    return Client().Prepare();
}

extern "C" int tarrow_samba_client_logon(const char* userName, const char* domain, const char* password, int port)
{
    Credentials credentials{userName, domain, password};
    return Client().Logon(credentials, port);
}
