#include "frontend/LogonCheck.h"

#include "frontend/SspLogon.h"

#include "common/log/ProgramLog.h"
#include "platform/core/LastError.h"
#include "platform/core/Services.h"
#include "platform/security/Logon.h"

namespace {

bool NetworkLogon(const CString& userName, const CString& domain, const CString& password)
{
    std::unique_ptr<platform::ILogonSession> token = platform::Use<platform::ILogon>().LogonUser(
        userName, domain, password, platform::kLogonNetwork, platform::kLogonProviderWinNT40);
    if (token)
        return true;
    ProgramLog().Line(u"LogonUser() has failed with error code : " + IntToCString(platform::GetLastError()));
    return false;
}

bool HandshakeLogon(const CString& userName, const CString& domain, const CString& password)
{
    if (SSPLogonUser(domain, userName, password))
        return true;
    ProgramLog().Line(u"SSPLogonUser() has failed with error code : " + IntToCString(platform::GetLastError()));
    return false;
}

} // namespace

bool CheckLogon(LogonMethod method, const CString& userName, const CString& domain, const CString& password)
{
    switch (method) {
    case LogonMethod::Network:
        return NetworkLogon(userName, domain, password);
    case LogonMethod::SecuritySupport:
        return HandshakeLogon(userName, domain, password);
    case LogonMethod::None:
        break;
    }
    return true;
}
