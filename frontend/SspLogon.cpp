#include "frontend/SspLogon.h"

#include "platform/core/LastError.h"
#include "platform/core/Services.h"
#include "platform/core/SystemErrors.h"
#include "platform/core/SystemVersion.h"
#include "platform/security/SecuritySupport.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace platform::sspi;

constexpr const char16_t* kPackage = u"NTLM";

struct Functions {
    AcceptSecurityContextFn accept = nullptr;
    AcquireCredentialsHandleWFn acquireCredentials = nullptr;
    CompleteAuthTokenFn completeToken = nullptr; // may be missing
    DeleteSecurityContextFn deleteContext = nullptr;
    FreeContextBufferFn freeBuffer = nullptr;
    FreeCredentialsHandleFn freeCredentials = nullptr;
    InitializeSecurityContextWFn initialize = nullptr;
    QuerySecurityPackageInfoWFn queryPackage = nullptr;
};

template <class Function>
bool Resolve(platform::ILoadedLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.GetProcAddress(name));
    return function != nullptr;
}

// Every function the handshake needs; false when one but CompleteAuthToken is missing.
bool ResolveAll(platform::ILoadedLibrary& library, Functions& f)
{
    Resolve(library, "CompleteAuthToken", f.completeToken);
    bool found = Resolve(library, "AcceptSecurityContext", f.accept);
    found = Resolve(library, "AcquireCredentialsHandleW", f.acquireCredentials) && found;
    found = Resolve(library, "DeleteSecurityContext", f.deleteContext) && found;
    found = Resolve(library, "FreeContextBuffer", f.freeBuffer) && found;
    found = Resolve(library, "FreeCredentialsHandle", f.freeCredentials) && found;
    found = Resolve(library, "InitializeSecurityContextW", f.initialize) && found;
    found = Resolve(library, "QuerySecurityPackageInfoW", f.queryPackage) && found;
    return found;
}

const char16_t* LibraryName()
{
    platform::OsVersion version;
    bool nt4 = platform::Use<platform::ISystemVersion>().GetVersion(version) &&
               version.platformId == platform::kPlatformWin32Nt && version.majorVersion == 4 &&
               version.minorVersion == 0;
    return nt4 ? u"security.dll" : u"secur32.dll";
}

void ReportFailure(const char* step, SecurityStatus status)
{
    std::fprintf(stderr, "%s failed with %08X\n", step, static_cast<unsigned>(status));
}

// One side of the handshake: its credentials and its context, once made.
struct Side {
    CredHandle credential;
    bool haveCredential = false;
    CtxtHandle context;
    bool haveContext = false;
};

// The handshake between a client and a server in this process, each step's output token the
// next step's input. Releases what it made when it goes.
class Handshake {
public:
    Handshake(const Functions& f, std::uint32_t maxToken)
        : m_f(f), m_maxToken(maxToken), m_clientToken(maxToken), m_serverToken(maxToken) {}
    ~Handshake()
    {
        for (Side* side : {&m_client, &m_server}) {
            if (side->haveContext)
                m_f.deleteContext(&side->context);
            if (side->haveCredential)
                m_f.freeCredentials(&side->credential);
        }
    }
    Handshake(const Handshake&) = delete;
    Handshake& operator=(const Handshake&) = delete;

    // The client's step: outbound credentials of identity, reading the server's last token.
    bool ClientStep(AuthIdentity& identity)
    {
        TimeStamp expiry = 0;
        if (!m_client.haveCredential) {
            SecurityStatus status = m_f.acquireCredentials(nullptr, kPackage, kCredOutbound, nullptr, &identity,
                                                           nullptr, nullptr, &m_client.credential, &expiry);
            if (status < 0) {
                ReportFailure("AcquireCredentialsHandle", status);
                return false;
            }
            m_client.haveCredential = true;
        }
        SecBuffer in{m_serverSize, kBufferToken, m_serverToken.data()};
        SecBufferDesc input{kBufferVersion, 1, &in};
        SecBuffer out{m_maxToken, kBufferToken, m_clientToken.data()};
        SecBufferDesc output{kBufferVersion, 1, &out};
        std::uint32_t attributes = 0;
        bool first = !m_client.haveContext;
        SecurityStatus status = m_f.initialize(&m_client.credential, first ? nullptr : &m_client.context, nullptr, 0,
                                               0, kNativeDataRep, first ? nullptr : &input, 0, &m_client.context,
                                               &output, &attributes, &expiry);
        if (status < 0) {
            ReportFailure("InitializeSecurityContext", status);
            return false;
        }
        m_client.haveContext = true;
        if (!CompleteIfAsked(status, m_client.context, output))
            return false;
        m_clientSize = std::min(out.size, m_maxToken);
        return true;
    }

    // The server's step: inbound credentials of the running account, reading the client's token.
    bool ServerStep()
    {
        TimeStamp expiry = 0;
        if (!m_server.haveCredential) {
            SecurityStatus status = m_f.acquireCredentials(nullptr, kPackage, kCredInbound, nullptr, nullptr, nullptr,
                                                           nullptr, &m_server.credential, &expiry);
            if (status < 0) {
                ReportFailure("AcquireCredentialsHandle", status);
                return false;
            }
            m_server.haveCredential = true;
        }
        SecBuffer in{m_clientSize, kBufferToken, m_clientToken.data()};
        SecBufferDesc input{kBufferVersion, 1, &in};
        SecBuffer out{m_maxToken, kBufferToken, m_serverToken.data()};
        SecBufferDesc output{kBufferVersion, 1, &out};
        std::uint32_t attributes = 0;
        bool first = !m_server.haveContext;
        SecurityStatus status = m_f.accept(&m_server.credential, first ? nullptr : &m_server.context, &input, 0,
                                           kNativeDataRep, &m_server.context, &output, &attributes, &expiry);
        if (status < 0) {
            ReportFailure("AcceptSecurityContext", status);
            return false;
        }
        m_server.haveContext = true;
        if (!CompleteIfAsked(status, m_server.context, output))
            return false;
        m_serverSize = std::min(out.size, m_maxToken);
        return true;
    }

private:
    bool CompleteIfAsked(SecurityStatus status, CtxtHandle& context, SecBufferDesc& token)
    {
        if (status != kSecICompleteNeeded && status != kSecICompleteAndContinue)
            return true;
        if (!m_f.completeToken) {
            std::fputs("CompleteAuthToken not supported.\n", stderr);
            return false;
        }
        SecurityStatus completed = m_f.completeToken(&context, &token);
        if (completed < 0) {
            ReportFailure("CompleteAuthToken", completed);
            return false;
        }
        return true;
    }

    const Functions& m_f;
    std::uint32_t m_maxToken;
    std::vector<unsigned char> m_clientToken, m_serverToken; // zeroed
    std::uint32_t m_clientSize = 0, m_serverSize = 0;
    Side m_client, m_server;
};

bool RunHandshake(const Functions& f, const CString& domain, const CString& user, const CString& password)
{
    PackageInfo* package = nullptr;
    if (f.queryPackage(kPackage, &package) < 0 || !package)
        return false;
    std::uint32_t maxToken = package->maxToken;
    f.freeBuffer(package);

    const std::u16string& userText = user.str();
    const std::u16string& domainText = domain.str();
    const std::u16string& passwordText = password.str();
    AuthIdentity identity{userText.c_str(), static_cast<std::uint32_t>(userText.size()),
                          domainText.c_str(), static_cast<std::uint32_t>(domainText.size()),
                          passwordText.c_str(), static_cast<std::uint32_t>(passwordText.size()), kIdentityUnicode};
    Handshake handshake(f, maxToken);
    return handshake.ClientStep(identity) && handshake.ServerStep() && handshake.ClientStep(identity) &&
           handshake.ServerStep();
}

} // namespace

int SSPLogonUser(const CString& domain, const CString& user, const CString& password)
{
    std::unique_ptr<platform::ILoadedLibrary> library = platform::Use<platform::ISecuritySupport>().LoadLibrary(LibraryName());
    if (!library)
        return 0; // the loader has set the last error
    Functions functions;
    if (!ResolveAll(*library, functions)) {
        platform::SetLastError(platform::kErrorProcNotFound);
        return 0;
    }
    if (!RunHandshake(functions, domain, user, password)) {
        platform::SetLastError(platform::kErrorLogonFailure);
        return 0;
    }
    return 1;
}
