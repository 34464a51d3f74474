// The network logon on Linux: a session of the account with this computer's Samba server, made
// by the Samba client module (SambaClientModule.cpp). The module is loaded by the first logon,
// so that a program's start never waits for Samba's client library (tarrowctl add makes its
// logon in the background while it asks the device).
#include "Logon.h"

#include "SambaClientModule.h"
#include "platform/core/LastError.h"
#include "platform/core/SystemErrors.h"
#include "platform/fs/WinErrors.h"
#include "platform/shares/SambaPort.h"

#include <cstring>
#include <dlfcn.h>
#include <string>

namespace platform {

namespace {

struct ClientModule {
    int (*logon)(const char*, const char*, const char*, int) = nullptr;
    int error = kErrorSuccess; // why the module or its client could not be had
};

// The folder of the library this code is in: the module lies beside it.
std::string ThisLibrarysFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ThisLibrarysFolder), &info) == 0 || !info.dli_fname)
        return ".";
    std::string path = info.dli_fname;
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

ClientModule Load()
{
    ClientModule module;
    const std::string path = ThisLibrarysFolder() + "/" + kSambaClientModule;
    // Kept loaded for the rest of the process, like a library it was linked with.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto prepare = handle ? reinterpret_cast<int (*)()>(dlsym(handle, "tarrow_samba_client_prepare")) : nullptr;
    module.logon = handle ? reinterpret_cast<decltype(module.logon)>(dlsym(handle, "tarrow_samba_client_logon"))
                          : nullptr;
    if (!prepare || !module.logon) {
        module.logon = nullptr;
        module.error = kErrorGenFailure;
        return module;
    }
    module.error = prepare();
    return module;
}

// The module, loaded by the first logon (the others wait for that one).
const ClientModule& Module()
{
    static const ClientModule module = Load();
    return module;
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
        const ClientModule& module = Module();
        if (!module.logon)
            return Fail(module.error);
        std::string secret = password.ToUtf8();
        int error = module.logon(userName.ToUtf8().c_str(), domain.ToUtf8().c_str(), secret.c_str(), SambaServerPort());
        explicit_bzero(secret.data(), secret.size());
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
