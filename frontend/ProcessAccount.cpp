#include "frontend/ProcessAccount.h"

#include "platform/core/LastError.h"
#include "platform/core/Services.h"
#include "platform/core/SystemErrors.h"
#include "platform/security/Accounts.h"

int GetUserAndDomainFromToken(CString& user, CString& domain)
{
    platform::IAccounts& accounts = platform::Use<platform::IAccounts>();
    CString name;
    if (!accounts.GetUserName(name))
        return 0;
    platform::Account account;
    if (int error = accounts.LookupAccountName(name, account); error != 0) {
        platform::SetLastError(error);
        return 0;
    }
    if (account.name.GetLength() >= kAccountBufferLength || account.domain.GetLength() >= kAccountBufferLength) {
        platform::SetLastError(platform::kErrorInsufficientBuffer);
        return 0;
    }
    user = account.name;
    domain = account.domain;
    return 1;
}
