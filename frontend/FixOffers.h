// The fixes that the front ends offer where a set-up step fails for a cause that the privileged
// helper mends (fixes/), and their run with one authentication.
#pragma once

#include "fixes/FixContext.h"
#include "fixes/FixRequest.h"

#include "platform/core/CString.h"

#include <optional>

// The fix of a logon of userName that this computer's Samba server refused with logonError (the
// logon's last error): a Samba password for a person's account of this computer when the server
// gave only a guest session (1317), Samba's server started when it could not be reached (1311);
// nothing for any other refusal, and for a name that is no person's account here.
std::optional<fixes::FixRequest> LogonFix(int logonError, const CString& userName);

// After a share was refused: the running account joins group sambashare when Samba's usershare
// folder is that group's and the account is not in it; nothing otherwise.
std::optional<fixes::FixRequest> ShareFix();

// Carries the fix out: through pkexec and the installed helper (the desktop's authentication
// dialog, once), or in this process when the running account is root. password: the Samba
// password a set-samba-password request sets; it goes to the helper on standard input only.
// Logs the fix's words and its outcome, never the password.
fixes::FixOutcome ApplyFix(const fixes::FixRequest& request, const CString& password);
