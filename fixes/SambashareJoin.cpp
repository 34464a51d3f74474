// The caller joins group sambashare, whose members make usershares.
#include "FixActions.h"
#include "FixPrograms.h"

#include <grp.h>
#include <pwd.h>

namespace fixes {

namespace {

bool IsMember(const std::string& name, const group& entry)
{
    for (char** member = entry.gr_mem; member && *member; ++member)
        if (name == *member)
            return true;
    const passwd* account = getpwnam(name.c_str());
    return account && account->pw_gid == entry.gr_gid;
}

// Reads the group again, so that a change by the tool just run is seen.
bool IsMemberNow(const std::string& name)
{
    const group* entry = getgrnam(kSambashareGroup);
    return entry && IsMember(name, *entry);
}

} // namespace

FixOutcome JoinSambashare(const FixContext& context)
{
    const std::string& name = context.callerName;
    if (!IsPersonUid(context.caller) || !IsAccountName(name))
        return Refused("only an account of a person (uid 1000 and above) joins group sambashare here");
    if (!getgrnam(kSambashareGroup))
        return Refused("there is no group sambashare on this computer: install Samba (apt-get install samba)");
    if (IsMemberNow(name))
        return Unchanged(name + " is in group sambashare already");
    platform::ProgramResult run = RunStep(context, {kGpasswdProgram, "-a", name, kSambashareGroup}, kToolTimeout);
    if (!Succeeded(run))
        return Refused(std::string(kGpasswdProgram) + " could not add " + name + " to group sambashare: " +
                       WhatItSaid(run));
    if (!IsMemberNow(name))
        return Refused(std::string(kGpasswdProgram) + " ended without adding " + name + " to group sambashare");
    Log(context, "added " + name + " to group sambashare");
    return Done("added " + name + " to group sambashare; it counts from the account's next login");
}

} // namespace fixes
