#include "wizard/LocalAccountCheck.h"

#include "common/localization/ShowMessageBox.h"
#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "platform/core/LastError.h"
#include "platform/core/Services.h"
#include "platform/core/SystemErrors.h"
#include "platform/core/SystemInfo.h"
#include "platform/security/Accounts.h"
#include "platform/ui/MessageBoxes.h"

namespace {

CString Upper(CString text)
{
    text.MakeUpper();
    return text;
}

bool SameName(const CString& a, const CString& b)
{
    return Upper(a) == Upper(b);
}

} // namespace

int CheckLocalAccount(const CString& domain, const CString& userName)
{
    CLogStream& log = ProgramLog();
    CString computer;
    if (!platform::Use<platform::ISystemInfo>().GetComputerName(computer)) {
        log.Line(u"CUserCredentialsDlg: GetComputerName(): " + platform::SystemErrorText(platform::GetLastError()));
        return 1;
    }
    log.Line(u"CUserCredentialsDlg: GetComputerName() returned NetBIOSName=" + computer);
    if (domain.IsEmpty() || SameName(domain, computer))
        return 1;

    platform::Account account;
    if (int error = platform::Use<platform::IAccounts>().LookupAccountName(userName, account); error != 0) {
        platform::SetLastError(error);
        log.Line(u"CUserCredentialsDlg: LookupAccountName(): " + platform::SystemErrorText(error));
        return 1;
    }
    log.Line(u"CUserCredentialsDlg: LookupAccountName(," + EscapeForLog(userName) + u",,,,,) returned szRefDomain=" +
             account.domain);
    if (!SameName(account.domain, domain))
        return ShowMessageBox(KnownIssueQuestion, 150, u"2") == platform::IDNO ? 0 : 1;
    return 1;
}
