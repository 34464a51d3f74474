// What the privileged helper can mend of a self-test's problems: one request per kind of change
// (two problems that the same request mends give one), each with the words that tell a user what
// it will do.
#pragma once

#include "FixRequest.h"

#include "selfcheck/SelfCheck.h"

#include <string>
#include <vector>

namespace fixes {

struct PlannedFix {
    FixRequest request;
    std::string words; // "add alice to group sambashare"
};

// The requests of the problems' remedies, in the order of the checks; malformed remedies are left
// out. account: the account that a group membership is for (named in the words).
std::vector<PlannedFix> PlanFixes(const std::vector<selfcheck::CheckResult>& results, const std::string& account);

// What the request will do, in plain words.
std::string DescribeFix(const FixRequest& request, const std::string& account);

} // namespace fixes
