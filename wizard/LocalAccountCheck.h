// The warning that a local account of the same name may stand in for a domain account.
#pragma once

#include "platform/core/CString.h"

// For an account of another domain than this computer: when this computer has an account of
// the same user name, asks whether to go on (message 150 with known issue 2). 1 to go on (no
// such account, a local or empty domain, Yes, or a look-up that failed), 0 to stay on the page
// (No). Logs the computer name and the look-up.
int CheckLocalAccount(const CString& domain, const CString& userName);
