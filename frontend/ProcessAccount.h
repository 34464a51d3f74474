// The account that runs this process, as the credentials page proposes it.
#pragma once

#include "platform/core/CString.h"

// Length of the buffers that take the user name and the domain, terminator included.
inline constexpr int kAccountBufferLength = 40;

// 1 with the user name and domain (for a local account, this computer's NetBIOS name) of the
// account that runs the process; 0 when the account cannot be read or a name does not fit its
// buffer (both left as they were).
int GetUserAndDomainFromToken(CString& user, CString& domain);
