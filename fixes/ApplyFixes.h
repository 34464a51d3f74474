// The planned fixes carried out: through pkexec and the privileged helper (one authentication,
// whose approval the policy keeps for the run's further requests), or, when this process is root
// already, by the same code in this process. The first failure ends the run.
#pragma once

#include "FixContext.h"
#include "FixPlan.h"

#include <functional>
#include <string>
#include <vector>

namespace fixes {

struct FixRun {
    // This process acts as root itself (it is root); else each request goes through pkexec.
    bool direct = false;
    // The account the direct run acts for (a group membership); the helper takes the caller's own.
    std::string account;
    std::string password; // for a Samba password request
    std::function<void(const std::string&)> log;
};

struct AppliedFix {
    PlannedFix fix;
    FixOutcome outcome;
};

// Runs the fixes in order until one fails; returns those that ran.
std::vector<AppliedFix> ApplyFixes(const std::vector<PlannedFix>& plan, const FixRun& run);

// One request through pkexec and the installed helper.
FixOutcome RunThroughPkexec(const FixRequest& request, const std::string& password);

// One request in this process, as root, for the account.
FixOutcome RunDirectly(const FixRequest& request, const FixRun& run);

} // namespace fixes
