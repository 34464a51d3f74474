#include "frontend/FixOffers.h"

#include "fixes/ApplyFixes.h"
#include "fixes/FixActions.h"
#include "fixes/FixPlan.h"
#include "selfcheck/Checks.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Services.h"
#include "platform/core/SystemErrors.h"
#include "platform/security/Accounts.h"

namespace {

// The account that runs this process, as the platform's accounts name it; empty when unreadable.
std::optional<platform::Account> RunningAccount()
{
    platform::IAccounts& accounts = platform::Use<platform::IAccounts>();
    CString name;
    platform::Account account;
    if (!accounts.GetUserName(name) || accounts.LookupAccountName(name, account) != 0)
        return std::nullopt;
    return account;
}

fixes::FixRequest Request(fixes::Verb verb, std::string account = {})
{
    fixes::FixRequest request;
    request.verb = verb;
    request.account = std::move(account);
    return request;
}

} // namespace

std::optional<fixes::FixRequest> LogonFix(int logonError, const CString& userName)
{
    if (logonError == platform::kErrorNoLogonServers)
        return Request(fixes::Verb::StartSamba);
    if (logonError != platform::kErrorNoSuchUser)
        return std::nullopt;
    // A guest session also answers a misspelt name: only an account of a person here gets a password.
    platform::Account account;
    if (platform::Use<platform::IAccounts>().LookupAccountName(userName, account) != 0 ||
        !fixes::IsPersonUid(account.uid) || !fixes::IsAccountName(account.name.ToUtf8()))
        return std::nullopt;
    return Request(fixes::Verb::SetSambaPassword, account.name.ToUtf8());
}

std::optional<fixes::FixRequest> ShareFix()
{
    std::optional<platform::Account> running = RunningAccount();
    if (!running)
        return std::nullopt;
    selfcheck::CheckInput input;
    input.shareMaker = running->name.ToUtf8();
    const selfcheck::CheckResult result = selfcheck::CheckUsershareGroup(input);
    if (result.status != selfcheck::Status::Problem || result.remedy.empty())
        return std::nullopt;
    std::string error;
    std::optional<fixes::FixRequest> request = fixes::ParseRequest(result.remedy, error);
    if (!request || request->verb != fixes::Verb::JoinSambashare)
        return std::nullopt;
    return request;
}

fixes::FixOutcome ApplyFix(const fixes::FixRequest& request, const CString& password)
{
    CLogStream& log = ProgramLog();
    std::optional<platform::Account> running = RunningAccount();
    fixes::FixRun run;
    run.direct = running && running->uid == 0;
    run.account = running ? running->name.ToUtf8() : std::string();
    run.password = fixes::NeedsPassword(request) ? password.ToUtf8() : std::string();
    run.log = [&log](const std::string& line) { log.Line(u"ApplyFix(): " + CString::FromUtf8(line)); };
    const std::string words = fixes::DescribeFix(request, run.account);
    log.Line(u"ApplyFix(): " + CString::FromUtf8(words) + (run.direct ? u" (as root)" : u" (through pkexec)"));
    std::vector<fixes::AppliedFix> applied = fixes::ApplyFixes({{request, words}}, run);
    fixes::FixOutcome outcome = applied.empty() ? fixes::Refused("nothing was run") : applied.front().outcome;
    log.Line(CString(outcome.ok ? u"ApplyFix(): done: " : u"ERROR: ApplyFix(): ") + CString::FromUtf8(outcome.message));
    return outcome;
}
