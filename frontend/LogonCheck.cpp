#include "frontend/LogonCheck.h"

#include "frontend/SspLogon.h"

#include "common/log/ProgramLog.h"
#include "platform/core/LastError.h"
#include "platform/core/Services.h"
#include "platform/security/Logon.h"

LogonOutcome AttemptLogon(LogonMethod method, const CString& userName, const CString& domain, const CString& password)
{
    switch (method) {
    case LogonMethod::Network:
        if (platform::Use<platform::ILogon>().LogonUser(userName, domain, password, platform::kLogonNetwork,
                                                        platform::kLogonProviderWinNT40))
            return {};
        return {false, platform::GetLastError(), u"LogonUser()"};
    case LogonMethod::SecuritySupport:
        if (SSPLogonUser(domain, userName, password))
            return {};
        return {false, platform::GetLastError(), u"SSPLogonUser()"};
    case LogonMethod::None:
        break;
    }
    return {};
}

bool ReportLogon(const LogonOutcome& outcome)
{
    if (outcome.accepted)
        return true;
    platform::SetLastError(outcome.error);
    ProgramLog().Line(CString(outcome.failedCall) + u" has failed with error code : " + IntToCString(outcome.error));
    return false;
}

bool CheckLogon(LogonMethod method, const CString& userName, const CString& domain, const CString& password)
{
    return ReportLogon(AttemptLogon(method, userName, domain, password));
}
