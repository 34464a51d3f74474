#include "ApplyFixes.h"

#include "FixActions.h"
#include "FixPrograms.h"
#include "HelperProgram.h"

#include "platform/core/Services.h"
#include "platform/shares/SambaConfig.h"

#include <pwd.h>

namespace fixes {

namespace {

// pkexec's own exit statuses.
constexpr int kPkexecNotAuthorized = 126; // dismissed, or not authorized
constexpr int kPkexecCannotRun = 127;

// The helper's last line on standard output: its outcome.
std::string LastLine(const std::string& output)
{
    std::size_t end = output.find_last_not_of("\n");
    if (end == std::string::npos)
        return "";
    std::size_t begin = output.rfind('\n', end);
    begin = begin == std::string::npos ? 0 : begin + 1;
    return output.substr(begin, end - begin + 1);
}

} // namespace

FixOutcome RunThroughPkexec(const FixRequest& request, const std::string& password)
{
    std::vector<std::string> command{kPkexecProgram, kHelperProgram};
    for (auto& word : RequestWords(request))
        command.push_back(std::move(word));
    const std::string input = NeedsPassword(request) ? password + "\n" : "";
    platform::ProgramResult run = platform::Use<platform::IProgramRunner>().Run(command, input, kHelperTimeout);
    if (!run.started)
        return Refused(std::string(kPkexecProgram) + " cannot be run: install it (apt-get install pkexec), or run "
                       "tarrowctl doctor --fix as root");
    if (run.timedOut)
        return Refused("the administrator's authentication was not given in time; nothing was changed");
    if (run.exitCode == kHelperOk)
        return {true, true, LastLine(run.output)};
    if (run.exitCode == kPkexecNotAuthorized)
        return Refused("the administrator's authentication was cancelled or refused; nothing was changed");
    if (run.exitCode == kPkexecCannotRun)
        return Refused(std::string(kHelperProgram) + " cannot be run: reinstall the package tarrow");
    return Refused(LastLine(run.output));
}

FixOutcome RunDirectly(const FixRequest& request, const FixRun& run)
{
    FixContext context;
    context.sambaConfig = platform::SambaConfigPath().empty() ? kSystemSambaConfig : platform::SambaConfigPath();
    context.password = run.password;
    context.log = run.log;
    if (request.verb == Verb::JoinSambashare) {
        const passwd* account = run.account.empty() ? nullptr : getpwnam(run.account.c_str());
        if (!account)
            return Refused("name the account that joins group sambashare (--user)");
        context.caller = account->pw_uid;
        context.callerName = account->pw_name;
    }
    return RunFix(request, context);
}

std::vector<AppliedFix> ApplyFixes(const std::vector<PlannedFix>& plan, const FixRun& run)
{
    std::vector<AppliedFix> applied;
    for (const PlannedFix& fix : plan) {
        FixOutcome outcome = run.direct ? RunDirectly(fix.request, run) : RunThroughPkexec(fix.request, run.password);
        applied.push_back({fix, outcome});
        if (!outcome.ok)
            break;
    }
    return applied;
}

} // namespace fixes
