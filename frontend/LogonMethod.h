// How the credentials page verifies an account on this system version.
#pragma once

#include "platform/core/SystemVersion.h"

enum class LogonMethod {
    None,            // not verified
    SecuritySupport, // a loop-back handshake of the security-support interface (SSPLogonUser)
    Network,         // a network logon
};

// The method of this version: by the version table for the NT family, none for other families.
LogonMethod LogonMethodFor(const platform::OsVersion& version);
