// The Samba password of a person's account, given to smbpasswd on its standard input only.
#include "FixActions.h"
#include "FixPrograms.h"

#include <pwd.h>

namespace fixes {

namespace {

constexpr std::size_t kMaxPassword = 256;

bool IsPasswordText(const std::string& password)
{
    if (password.empty() || password.size() > kMaxPassword)
        return false;
    for (unsigned char c : password)
        if (c < 0x20 || c == 0x7f)
            return false;
    return true;
}

} // namespace

FixOutcome SetSambaPassword(const FixRequest& request, const FixContext& context)
{
    const std::string& name = request.account;
    if (!IsAccountName(name))
        return Refused("\"" + name + "\" is not an account name");
    const passwd* account = getpwnam(name.c_str());
    if (!account)
        return Refused("there is no account " + name + " on this computer: make it first (adduser " + name + ")");
    if (!IsPersonUid(account->pw_uid))
        return Refused(name + " is not an account of a person (uid " + std::to_string(account->pw_uid) +
                       "): only accounts with uid 1000 and above get a Samba password here");
    if (!IsPasswordText(context.password))
        return Refused("the password must be one line of 1 to 256 characters without control characters");
    const std::string twice = context.password + "\n" + context.password + "\n";
    platform::ProgramResult run = RunStep(
        context, {kSmbpasswdProgram, "-c", context.sambaConfig, "-a", "-s", name}, kToolTimeout, twice);
    if (!Succeeded(run))
        return Refused(std::string(kSmbpasswdProgram) + " did not set the Samba password of " + name + ": " +
                       WhatItSaid(run));
    Log(context, "set the Samba password of " + name);
    return Done("set the Samba password of " + name);
}

} // namespace fixes
