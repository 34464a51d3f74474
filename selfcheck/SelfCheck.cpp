#include "SelfCheck.h"

#include "Checks.h"

#include <utility>

namespace selfcheck {

namespace {

struct Check {
    const char* name;
    CheckResult (*run)(const CheckInput&);
};

// In the order in which a transfer fails: the server, the sign-in, the name, the protocol, the
// share, the folder, and the firewall between the device and the server.
constexpr Check kChecks[] = {
    {"samba-installed", CheckSambaInstalled},
    {"smbd-listening", CheckServerListening},
    {"samba-account", CheckSambaAccount},
    {"computer-name", CheckComputerName},
    {"protocol", CheckProtocol},
    {"usershare-group", CheckUsershareGroup},
    {"share", CheckShare},
    {"folder-rights", CheckFolderRights},
    {"firewall", CheckFirewall},
};

} // namespace

const char* StatusName(Status status)
{
    static constexpr std::pair<Status, const char*> kNames[] = {
        {Status::Ok, "ok"}, {Status::Problem, "problem"}, {Status::Skipped, "skipped"}};
    for (const auto& [value, name] : kNames)
        if (value == status)
            return name;
    return "skipped";
}

std::vector<CheckResult> RunChecks(const CheckInput& input)
{
    std::vector<CheckResult> results;
    for (const auto& check : kChecks) {
        CheckResult result = check.run(input);
        result.name = check.name;
        results.push_back(std::move(result));
    }
    return results;
}

std::vector<std::string> CheckNames()
{
    std::vector<std::string> names;
    for (const auto& check : kChecks)
        names.push_back(check.name);
    return names;
}

} // namespace selfcheck
