// smbd (and nmbd, which answers for the computer's name where no name server knows it) enabled
// and started through systemd; what this request enabled or started is undone when a later step
// of it fails.
#include "FixActions.h"
#include "FixPrograms.h"

#include <vector>

namespace fixes {

namespace {

struct Undo {
    const char* verb; // "disable" or "stop"
    std::string unit;
};

bool Asks(const FixContext& context, const char* question, const std::string& unit)
{
    return Succeeded(RunStep(context, {kSystemctlProgram, question, "--quiet", unit}, kToolTimeout));
}

void UndoAll(const FixContext& context, std::vector<Undo>& done)
{
    for (auto step = done.rbegin(); step != done.rend(); ++step)
        RunStep(context, {kSystemctlProgram, step->verb, step->unit}, kServiceTimeout);
    done.clear();
}

} // namespace

FixOutcome StartSamba(const FixRequest& request, const FixContext& context)
{
    std::vector<std::string> units{"smbd"};
    if (request.nmbd)
        units.push_back("nmbd");
    std::vector<Undo> done;
    std::string what;
    for (const std::string& unit : units) {
        for (auto [question, verb, undo] : {std::tuple{"is-enabled", "enable", "disable"},
                                             std::tuple{"is-active", "start", "stop"}}) {
            if (Asks(context, question, unit))
                continue;
            platform::ProgramResult run = RunStep(context, {kSystemctlProgram, verb, unit}, kServiceTimeout);
            if (!Succeeded(run)) {
                UndoAll(context, done);
                return Refused("systemctl could not " + std::string(verb) + " " + unit + ": " + WhatItSaid(run) +
                               " (see: journalctl -u " + unit + ")");
            }
            done.push_back({undo, unit});
            what += (what.empty() ? "" : ", ") + std::string(verb == std::string("enable") ? "enabled " : "started ") + unit;
        }
    }
    if (done.empty())
        return Unchanged("Samba's servers were enabled and running already");
    Log(context, what);
    return Done(what);
}

} // namespace fixes
